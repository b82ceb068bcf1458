#include "campaign/SettingsEffects.h"
#include "base/SharedConstants.h"
#include "collision/Collision.h"
#include "console/DevConsole.h"
#include "platform/FrameTarget.h"
#include "platform/Input.h"
#include "platform/Renderer.h"
#include "platform/Sound.h"
#include "platform/Window.h"
#include "world/PlayAssists.h"
#include <algorithm>
#include <utility>

float VolumeGain(int32_t step) {
    const float share = float(std::clamp(step, 0, SettingValues::kMaxVolume)) / float(SettingValues::kMaxVolume);
    return share * share;
}

void ApplySoundSettings(const SettingValues& values) {
    SetVolumes(VolumeGain(values.musicVolume), VolumeGain(values.effectsVolume));
}

void ApplyAssistSettings(const SettingValues& values) {
    PlayAssists& assists = ThePlayAssists();
    assists.speedPercent = values.assistSpeed;
    assists.extraHearts = values.assistHearts;
    assists.keepLives = values.assistKeepLives;
}

void ApplyOverlaySettings(const SettingValues& values) {
    TheCollisionWorld().ShowOutlines(values.outlines);
    ShowConsole(values.console);
}

void ShowOverlaysAsEngine() {
    static bool shown = false;
    if (std::exchange(shown, true)) return;
    ChangeForThisRun([](SettingValues& values) { values.outlines = values.console = true; });
    ApplyOverlaySettings(TheSettings().values);
}

void ToggleOverlays(uint32_t commands) {
    if (!(commands & (ToggleOutlines | ToggleConsole))) return;
    SettingValues& values = TheSettings().values;
    if (commands & ToggleOutlines) values.outlines = !values.outlines;
    if (commands & ToggleConsole) values.console = !values.console;
    NoteSettingsChanged();
    ApplyOverlaySettings(values);
}

WindowMode WindowModeFor(const SettingValues& values, int desktopWidth, int desktopHeight) {
    if (values.fullscreen && desktopWidth > 0 && desktopHeight > 0) return {desktopWidth, desktopHeight, true};
    int scale = values.windowSize;
    if (scale == SettingValues::kFitWindow)
        scale = std::max(1, std::min(desktopWidth / kScreenWidth, desktopHeight / kScreenHeight));
    return {kScreenWidth * scale, kScreenHeight * scale, values.fullscreen};
}

void ApplyWindowSettings(const SettingValues& values) {
    int desktopWidth = 0, desktopHeight = 0;
    DesktopSize(desktopWidth, desktopHeight);
    const WindowMode mode = WindowModeFor(values, desktopWidth, desktopHeight);
    if (ChangeWindowMode(mode.width, mode.height, mode.fullscreen)) ShowNextFrame();
}
