#include "core/Log.h"
#include "platform/Screenshots.h"
#include "platform/Window.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
void Touch(const std::string& path) { std::ofstream(path) << "x"; }

// Sets an environment variable for the life of a test, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = getenv(name);
        hadOld_ = old != nullptr;
        if (old) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadOld_) setenv(name_.c_str(), old_.c_str(), 1);
        else unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::string old_;
    bool hadOld_ = false;
};

void PushF12(Uint8 type) {
    SDL_Event event{};
    event.key.type = type;
    event.key.keysym.sym = SDLK_F12;
    SDL_PushEvent(&event);
}
}

TEST(Screenshots, FolderFollowsXdgDataHomeThenHome) {
    ScopedEnv home("HOME", "/home/player");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data/here");
        EXPECT_EQ(ScreenshotDir(), "/data/here/duskhold/screenshots");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(ScreenshotDir(), "/home/player/.local/share/duskhold/screenshots");
    }
    {
        // A relative XDG_DATA_HOME is invalid and ignored.
        ScopedEnv xdg("XDG_DATA_HOME", "relative/dir");
        EXPECT_EQ(ScreenshotDir(), "/home/player/.local/share/duskhold/screenshots");
        ScopedEnv noHome("HOME", nullptr);
        EXPECT_EQ(ScreenshotDir(), "");
        std::string path, error;
        EXPECT_FALSE(NextScreenshotPath(ScreenshotDir(), path, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(Screenshots, FolderIsMadeAndNumberingContinuesAfterExistingFiles) {
    std::string dir = MakeTempDir() + "/deep/duskhold/screenshots";
    std::string path, error;
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-0001.png");

    Touch(dir + "/shot-0007.png");
    Touch(dir + "/shot-12.png");
    // Names that only look alike do not count.
    for (const char* name : {"shot-0099.png.bak", "shot-.png", "shot-12a.png", "other-0500.png",
                             "shot-99999999999999999999.png", "shot--40.png"})
        Touch(dir + "/" + name);
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-0013.png");

    Touch(dir + "/shot-10000.png");
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-10001.png");
}

TEST(ScreenshotKey, F12StaysOutOfTheInputAndWritesANumberedPng) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    int w = 0, h = 0;
    while (PollOneWindowEvent(true, w, h) != WindowEvent::None) {}

    PushF12(SDL_KEYDOWN);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Screenshot);
    PushF12(SDL_KEYUP);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::None) << "F12 went back to the queue";
    // It works while a movie plays too.
    PushF12(SDL_KEYDOWN);
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Screenshot);

    std::string dataHome = MakeTempDir();
    ScopedEnv xdg("XDG_DATA_HOME", dataHome.c_str());
    std::vector<std::string> lines;
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    TakeRequestedScreenshot();
    EXPECT_TRUE(lines.empty()) << "nothing was asked for";

    RequestScreenshot();
    TakeRequestedScreenshot();
    RequestScreenshot();
    TakeRequestedScreenshot();
    SetLogSink(nullptr);
    std::string dir = dataHome + "/duskhold/screenshots";
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Screenshot saved to " + dir + "/shot-0001.png");
    EXPECT_EQ(lines[1], "Screenshot saved to " + dir + "/shot-0002.png");
    std::string png = ReadTextFile(dir + "/shot-0002.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(ScreenshotKey, AFileInTheWayIsReportedOnTheStatusLine) {
    std::string base = MakeTempDir();
    Touch(base + "/duskhold");
    std::string path, error;
    EXPECT_FALSE(NextScreenshotPath(base + "/duskhold/screenshots", path, error));
    EXPECT_NE(error.find(base + "/duskhold"), std::string::npos) << error;
    Touch(base + "/shots");
    EXPECT_FALSE(NextScreenshotPath(base + "/shots", path, error));
    EXPECT_NE(error.find("not a folder"), std::string::npos) << error;

    GlWindow window;
    ASSERT_TRUE(window.Open());
    ScopedEnv xdg("XDG_DATA_HOME", base.c_str());
    std::vector<std::string> lines;
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    RequestScreenshot();
    TakeRequestedScreenshot();
    SetLogSink(nullptr);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Screenshot failed: ", 0), 0u) << lines[0];
}
