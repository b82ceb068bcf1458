#pragma once
#include "platform/Sprite.h"
#include <cstdint>
#include <optional>

// The pictures of a page opened from the menu (OPTIONS, CONFIGURE): the
// menu's red background, the page's name in a menu bar with the flames of a
// chosen entry, a dark panel of rows and the cursor's bar and flames.
class PagePictures {
public:
    static constexpr int32_t kPanelLeft = 24;
    static constexpr int32_t kPanelWidth = 272;
    static constexpr int32_t kLabelX = kPanelLeft + 12;

    void Load();
    void Release();
    // Everything but the rows: the panel from `panelTop`, `panelHeight`
    // tall, the cursor's bar on the row at `cursorY`. Each call is one draw
    // of the flames' animation.
    void DrawPage(const char* title, int32_t panelTop, int32_t panelHeight, int32_t cursorY);
    // The menu font's capitals and digits, warm when highlighted.
    void DrawText(const char* text, int32_t x, int32_t y, bool highlighted) const;

private:
    void DrawTitle(const char* title) const;
    void DrawPanel(int32_t top, int32_t height) const;

    std::optional<Sprite> font_;
    std::optional<Sprite> background_;
    std::optional<Sprite> holder_;
    std::optional<Sprite> cursorFlame_;
    std::optional<Sprite> chosenFlame_;
    std::optional<Sprite> window_;
    // Draws since the page opened: the flames show each of their 4 frames
    // for 4 draws, as in the menu.
    int32_t flameDraws_ = 0;
};
