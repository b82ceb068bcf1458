#include "support/RunGame.h"
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
// After gtest: Xlib's macros clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {
// Where the title picture stands in the window: the box around every pixel
// that is not black (the bars are black), "WxH+X+Y".
std::string PictureBox(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return "no window";
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height),
                              AllPlanes, ZPixmap);
    if (!image) return "no picture";
    int left = attributes.width, top = attributes.height, right = -1, bottom = -1;
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            if (XGetPixel(image, x, y) & 0xFFFFFF) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    XDestroyImage(image);
    return std::to_string(right - left + 1) + "x" + std::to_string(bottom - top + 1) + "+" +
           std::to_string(left) + "+" + std::to_string(top);
}

// The game's title on the test's X server, ended when the test is done.
class RunningGame {
public:
    explicit RunningGame(std::vector<std::string> args) {
        args.insert(args.begin(), DUSKHOLD_BINARY);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t quiet;
        posix_spawn_file_actions_init(&quiet);
        posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, DUSKHOLD_BINARY, &quiet, nullptr, argv.data(), environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&quiet);
    }
    ~RunningGame() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    // The game's window id, once it is shown.
    std::string WindowId() const {
        RunResult found = RunProgram("xdotool", {"search", "--sync", "--onlyvisible", "--pid", std::to_string(pid_)});
        return found.output.substr(0, found.output.find('\n'));
    }

private:
    pid_t pid_ = 0;
};

// Waits up to 20 s for the picture to stand in `expected`; returns the last box seen.
std::string WaitForBox(Display* display, const std::string& window, const std::string& expected) {
    std::string box;
    for (int tries = 0; tries < 200 && box != expected; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        box = PictureBox(display, std::stoul(window));
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
    if (DisplayWidth(display, 0) != 1920 || DisplayHeight(display, 0) != 1080) {
        XCloseDisplay(display);
        GTEST_SKIP() << "needs the 1920x1080 screen that make test gives";
    }
    {
        RunningGame game({"--window", "640x480", "--steps", "100000"});
        std::string window = game.WindowId();
        ASSERT_FALSE(window.empty());
        EXPECT_EQ(WaitForBox(display, window, "640x480+0+0"), "640x480+0+0");
        RunProgram("xdotool", {"windowsize", window, "1280", "600"});
        EXPECT_EQ(WaitForBox(display, window, "800x600+240+0"), "800x600+240+0");
        RunProgram("xdotool", {"windowsize", window, "600", "700"});
        EXPECT_EQ(WaitForBox(display, window, "600x450+0+125"), "600x450+0+125");
    }
    RunningGame fullscreen({"-fullscreen", "--steps", "100000"});
    std::string window = fullscreen.WindowId();
    ASSERT_FALSE(window.empty());
    EXPECT_EQ(WaitForBox(display, window, "1440x1080+240+0"), "1440x1080+240+0");
    XCloseDisplay(display);
}
