#include "core/Log.h"
#include "platform/Screenshots.h"
#include "platform/Window.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

namespace {
void Touch(const std::string& path) { std::ofstream(path) << "x"; }

// Sets an environment variable for the life of a test, then puts it back.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { old_ ? setenv(name_.c_str(), old_->c_str(), 1) : unsetenv(name_.c_str()); }
    std::string name_;
    std::optional<std::string> old_;
};

void PushF12(Uint8 type) {
    SDL_Event event{};
    event.key.type = type;
    event.key.keysym.sym = SDLK_F12;
    SDL_PushEvent(&event);
}

// What taking one requested screenshot prints.
std::vector<std::string> TakeOne() {
    std::vector<std::string> lines;
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    RequestScreenshot();
    TakeRequestedScreenshot();
    SetLogSink(nullptr);
    return lines;
}
}

TEST(Screenshots, FolderFollowsXdgDataHomeThenHome) {
    ScopedEnv home("HOME", "/home/player");
    const std::pair<const char*, std::string> cases[] = {
        {"/data/here", "/data/here/duskhold/screenshots"},
        {nullptr, "/home/player/.local/share/duskhold/screenshots"},
        {"relative/dir", "/home/player/.local/share/duskhold/screenshots"}};  // relative: invalid, ignored
    for (const auto& [xdgDataHome, folder] : cases) {
        ScopedEnv xdg("XDG_DATA_HOME", xdgDataHome);
        EXPECT_EQ(ScreenshotDir(), folder);
    }
    ScopedEnv noHome("HOME", nullptr), noXdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(ScreenshotDir(), "");
    std::string path, error;
    EXPECT_FALSE(NextScreenshotPath(ScreenshotDir(), path, error));
    EXPECT_FALSE(error.empty());
}

TEST(Screenshots, FolderIsMadeAndNumberingContinuesAfterExistingFiles) {
    TempDir temp;
    std::string dir = temp / "deep/duskhold/screenshots";
    std::string path, error;
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-0001.png");
    // Names that only look alike do not count.
    for (const char* name : {"shot-0007.png", "shot-12.png", "shot-0099.png.bak", "shot-.png", "shot-12a.png",
                             "other-0500.png", "shot-99999999999999999999.png", "shot--40.png"})
        Touch(dir + "/" + name);
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-0013.png");
    Touch(dir + "/shot-10000.png");
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-10001.png");
    // A file where a folder should be is named.
    Touch(temp / "duskhold");
    EXPECT_FALSE(NextScreenshotPath(temp / "duskhold/screenshots", path, error));
    EXPECT_NE(error.find(temp / "duskhold"), std::string::npos) << error;
    EXPECT_FALSE(NextScreenshotPath(temp / "duskhold", path, error));
    EXPECT_NE(error.find("not a folder"), std::string::npos) << error;
}

TEST(ScreenshotKey, F12StaysOutOfTheInputAndWritesNumberedPngsOrSaysWhyNot) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    int w = 0, h = 0;
    while (PollOneWindowEvent(true, w, h) != WindowEvent::None) {}
    PushF12(SDL_KEYDOWN);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Screenshot);
    PushF12(SDL_KEYUP);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::None) << "F12 went back to the queue";
    PushF12(SDL_KEYDOWN);  // it works while a movie plays too
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Screenshot);

    TempDir dataHome;
    ScopedEnv xdg("XDG_DATA_HOME", dataHome.path.c_str());
    std::vector<std::string> lines;
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    TakeRequestedScreenshot();
    EXPECT_TRUE(lines.empty()) << "nothing was asked for";
    std::string dir = dataHome / "duskhold/screenshots";
    EXPECT_EQ(TakeOne(), std::vector<std::string>{"Screenshot saved to " + dir + "/shot-0001.png"});
    EXPECT_EQ(TakeOne(), std::vector<std::string>{"Screenshot saved to " + dir + "/shot-0002.png"});
    EXPECT_EQ(ReadTextFile(dir + "/shot-0002.png").substr(1, 3), "PNG");

    Touch(dataHome / "other");
    ScopedEnv inTheWay("XDG_DATA_HOME", (dataHome / "other").c_str());
    std::vector<std::string> failed = TakeOne();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].rfind("Screenshot failed: ", 0), 0u) << failed[0];
}
