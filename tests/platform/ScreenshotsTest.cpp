#include "base/Log.h"
#include "platform/Input.h"
#include "platform/PngWrite.h"
#include "platform/Screenshots.h"
#include "platform/Window.h"
#include "support/GlWindow.h"
#include <SDL.h>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
void Touch(const std::string& path) { std::ofstream(path) << "x"; }

void PushKey(Uint8 type, SDLKey key = SDLK_F12) {
    SDL_Event event{};
    event.key.type = type;
    event.key.keysym.sym = key;
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

TEST(Screenshots, FolderIsMadeAndNumberingContinuesAfterExistingFiles) {
    TempDir temp;
    std::string dir = temp / "deep/duskhold/screenshots";
    std::string path, error;
    ASSERT_TRUE(NextScreenshotPath(dir, path, error)) << error;
    EXPECT_EQ(path, dir + "/shot-0001.png");
    // Names that only look alike do not count.
    for (const char* name : {"shot-0007.png", "shot-12.png", "shot-0099.png.bak", "shot-.png", "shot-12a.png",
                             "other-0500.png", "Shot-0200.png", "shot-99999999999999999999.png", "shot--40.png"})
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
    // A picture with no width or no height is refused before a file is made.
    for (const auto& [width, height] : {std::pair(0, 4), std::pair(4, 0)}) {
        EXPECT_FALSE(WritePngRgba(temp / "empty.png", width, height, std::vector<unsigned char>(64), error));
        EXPECT_EQ(error, "bad picture size");
    }
    EXPECT_FALSE(std::ifstream(temp / "empty.png").good());
}

TEST(ScreenshotKey, F12StaysOutOfTheInputAndWritesNumberedPngsOrSaysWhyNotAndEscapeQuits) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    int w = 0, h = 0;
    while (PollOneWindowEvent(true, w, h) != WindowEvent::None) {}
    PushKey(SDL_KEYDOWN);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Screenshot);
    PushKey(SDL_KEYUP);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::None) << "F12 went back to the queue";
    PushKey(SDL_KEYDOWN);  // it works while a movie plays too
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Screenshot);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Quit);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Quit);
    // A screen that takes Escape (a play stage) has it as a command, unless a movie plays.
    SetEscapeEndsProgram(false);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(true, w, h), WindowEvent::Quit);
    PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(PollOneWindowEvent(false, w, h), WindowEvent::Handled);
    Input input;
    input.Update();
    EXPECT_EQ(input.commands, uint32_t(EscapeKey));
    SetEscapeEndsProgram(true);

    TempDir dataHome;
    setenv("XDG_DATA_HOME", dataHome.path.c_str(), 1);
    std::string dir = dataHome / "duskhold/screenshots";
    EXPECT_EQ(TakeOne(), std::vector<std::string>{"Screenshot saved to " + dir + "/shot-0001.png"});
    EXPECT_EQ(TakeOne(), std::vector<std::string>{"Screenshot saved to " + dir + "/shot-0002.png"});
    TakeRequestedScreenshot();  // one request, one picture
    EXPECT_FALSE(std::ifstream(dir + "/shot-0003.png")) << "a request was taken twice";
    EXPECT_EQ(ReadTextFile(dir + "/shot-0002.png").substr(1, 3), "PNG");

    Touch(dataHome / "other");
    setenv("XDG_DATA_HOME", (dataHome / "other").c_str(), 1);
    std::vector<std::string> failed = TakeOne();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].rfind("Screenshot failed: ", 0), 0u) << failed[0];
}
