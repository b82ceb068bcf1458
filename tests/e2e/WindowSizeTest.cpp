#include "support/RunGame.h"
#include <chrono>
#include <gtest/gtest.h>
#include <thread>
// After gtest: Xlib's macros clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// The game's title in the background on the test's X server, with its window.
struct RunningGame {
    explicit RunningGame(const std::string& options) {
        // On the X server, not the offscreen driver the other tests draw on.
        pid = RunProgram("sh", {"-c", "env -u SDL_VIDEODRIVER " + std::string(DUSKHOLD_BINARY) + " --steps 3600 " +
                                          options + " >/dev/null 2>&1 & echo $!"})
                  .output;
        pid = pid.substr(0, pid.find('\n'));
        // Polled every 50 ms: xdotool's own --sync and tail's --pid look only every half and whole second.
        window = RunProgram("timeout", {"30", "sh", "-c",
                                        "until xdotool search --onlyvisible --pid " + pid + "; do sleep 0.05; done"})
                     .output;
        window = window.substr(0, window.find('\n'));
    }
    ~RunningGame() {
        RunProgram("sh", {"-c", "kill " + pid + " && timeout 10 tail -s 0.05 --pid=" + pid + " -f /dev/null"});
    }
    std::string pid, window;
};

// The box around every pixel of the window that is not black (the bars are
// black), "WxH+X+Y".
std::string PictureBox(Display* display, Window window) {
    XWindowAttributes size;
    XImage* image =
        XGetWindowAttributes(display, window, &size)
            ? XGetImage(display, window, 0, 0, unsigned(size.width), unsigned(size.height), AllPlanes, ZPixmap)
            : nullptr;
    if (!image) return "no picture";
    int left = size.width, top = size.height, right = -1, bottom = -1;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            if (XGetPixel(image, x, y) & 0xFFFFFF)
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                bottom = std::max(bottom, y);
    XDestroyImage(image);
    return std::to_string(right - left + 1) + "x" + std::to_string(bottom - top + 1) + "+" + std::to_string(left) +
           "+" + std::to_string(top);
}

// Waits up to 20 s for the picture to stand in `expected`; returns the last box seen.
std::string WaitForBox(Display* display, const RunningGame& game, const std::string& expected) {
    std::string box = "no window";
    for (int tries = 0; tries < 400 && !game.window.empty(); ++tries) {
        box = PictureBox(display, std::stoul(game.window));
        if (box == expected) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return box;
}
}

// The picture keeps the 4:3 letterbox of the window it is shown in: at the
// start, after the window is resized wider and taller than 4:3, and full
// screen on a 1920x1080 display.
TEST(WindowSize, ThePictureFillsTheLetterboxAfterEveryResize) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    if (DisplayWidth(display, 0) != 1920 || DisplayHeight(display, 0) != 1080)
        GTEST_SKIP() << "needs the 1920x1080 screen that make test gives";
    {
        RunningGame game("--window 640x480");
        EXPECT_EQ(WaitForBox(display, game, "640x480+0+0"), "640x480+0+0");
        RunProgram("xdotool", {"windowsize", game.window, "1280", "600"});
        EXPECT_EQ(WaitForBox(display, game, "800x600+240+0"), "800x600+240+0");
        RunProgram("xdotool", {"windowsize", game.window, "600", "700"});
        EXPECT_EQ(WaitForBox(display, game, "600x450+0+125"), "600x450+0+125");
    }
    RunningGame fullscreen("-fullscreen");
    EXPECT_EQ(WaitForBox(display, fullscreen, "1440x1080+240+0"), "1440x1080+240+0");
    XCloseDisplay(display);
}
