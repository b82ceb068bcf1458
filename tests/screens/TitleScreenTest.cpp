#include "platform/Input.h"
#include "platform/PngDecode.h"
#include "platform/Sound.h"
#include "platform/Texture.h"
#include "screens/TitleScreen.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
// Runs the game on a movie and returns the trace lines (line i is step i+1).
// The game plays its sounds into a file that nobody reads, as fast as it can.
std::vector<std::string> RunTitle(const std::string& dir, const std::string& movie, int steps,
                                  std::vector<std::string> extra = {}) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    std::ofstream(dir + "/movie.txt") << "duskhold-movie 1\n" << movie;
    std::vector<std::string> args = {"--fast",           "--steps", std::to_string(steps),
                                     "--window",         "320x240", "--replay",
                                     dir + "/movie.txt", "--trace", dir + "/t.jsonl"};
    args.insert(args.end(), extra.begin(), extra.end());
    RunResult run = RunGame(args);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("No audio device"), std::string::npos) << run.output;
    return ReadLines(dir + "/t.jsonl");
}

int FirstStepWith(const std::vector<std::string>& lines, const std::string& field,
                  const std::string& text) {
    for (const std::string& line : lines)
        if (JsonField(line, field).find(text) != std::string::npos)
            return std::stoi(JsonField(line, "step"));
    return -1;
}

DecodedImage Shot(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    DecodedImage image;
    DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image);
    return image;
}

// The summed red, green and blue of a rectangle of a shot.
long Brightness(const DecodedImage& image, int x, int y, int width, int height) {
    long sum = 0;
    for (int row = y; row < y + height && row < int(image.height); ++row)
        for (int column = x; column < x + width && column < int(image.width); ++column)
            for (int channel = 0; channel < 3; ++channel)
                sum +=
                    image.rgba[(size_t(row) * image.width + size_t(column)) * 4 + size_t(channel)];
    return sum;
}

std::vector<unsigned char> PromptArea(const DecodedImage& image) {
    std::vector<unsigned char> area;
    for (uint32_t row = 200; row < 208; ++row)
        area.insert(area.end(), image.rgba.begin() + (row * image.width + 110) * 4,
                    image.rgba.begin() + (row * image.width + 198) * 4);
    return area;
}

// The prompt is drawn in warm light tones over the logo's dark foot.
int BrightPixels(const std::vector<unsigned char>& rgba) {
    int count = 0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) count += rgba[i] > 150;
    return count;
}
}

TEST(TitleScreen, HeldButtonLeavesOnStep41AndTheMenuComesOnStep161) {
    std::vector<std::string> lines = RunTitle(MakeTempDir(), "1 down z\n", 170);
    ASSERT_EQ(lines.size(), 170u);
    EXPECT_EQ(FirstStepWith(lines, "title", "\"leave\":1}"), 41);
    EXPECT_EQ(JsonField(lines[159], "state"), "\"title\"");
    EXPECT_EQ(FirstStepWith(lines, "state", "menu"), 161);
    // The overture and the press sound live until the title is left.
    EXPECT_EQ(JsonField(lines[159], "sounds"), "2") << lines[159];
}

TEST(TitleScreen, PressDuringTheFirst40StepsIsIgnored) {
    std::vector<std::string> lines = RunTitle(MakeTempDir(), "30 down z\n35 up z\n", 200);
    ASSERT_EQ(lines.size(), 200u);
    EXPECT_EQ(FirstStepWith(lines, "title", "\"leave\":1}"), -1);
    EXPECT_EQ(FirstStepWith(lines, "state", "menu"), -1);
    EXPECT_EQ(JsonField(lines.back(), "title"), "{\"timer\":200,\"leave\":0}");
}

TEST(TitleScreen, LogoFadesInPromptBlinksAndLeavingFadesToBlack) {
    std::string dir = MakeTempDir();
    std::vector<std::string> shots;
    for (int step : {10, 30, 60, 100, 180})
        shots.insert(shots.end(), {"--shot", std::to_string(step) + ":" + dir + "/" +
                                                 std::to_string(step) + ".png"});
    RunTitle(dir, "", 180, shots);
    DecodedImage at10 = Shot(dir + "/10.png"), at30 = Shot(dir + "/30.png"),
                 at60 = Shot(dir + "/60.png");
    DecodedImage at100 = Shot(dir + "/100.png"), at180 = Shot(dir + "/180.png");
    ASSERT_EQ(at60.width, 320u);
    ASSERT_EQ(at100.height, 240u);
    // The lower half of the logo, below the console's lines.
    EXPECT_LT(Brightness(at10, 0, 120, 320, 80), Brightness(at30, 0, 120, 320, 80));
    EXPECT_LT(Brightness(at30, 0, 120, 320, 80), Brightness(at60, 0, 120, 320, 80));
    // Shown at 60 and at 180 (60 into the next cycle), hidden at 100.
    EXPECT_GT(BrightPixels(PromptArea(at60)), 20);
    EXPECT_EQ(PromptArea(at60), PromptArea(at180));
    EXPECT_EQ(BrightPixels(PromptArea(at100)), 0);

    std::string leaving = MakeTempDir();
    RunTitle(leaving, "1 down z\n", 135,
             {"--shot", "60:" + leaving + "/60.png", "--shot", "135:" + leaving + "/135.png"});
    DecodedImage fading = Shot(leaving + "/60.png"), gone = Shot(leaving + "/135.png");
    EXPECT_EQ(BrightPixels(PromptArea(fading)), 0);  // leaving: no prompt at timer 60
    EXPECT_LT(Brightness(fading, 0, 120, 320, 80), Brightness(at60, 0, 120, 320, 80));
    EXPECT_EQ(Brightness(gone, 0, 120, 320, 80), 0);
}

TEST(TitleScreen, TimerWrapKeepsThePromptBlinkingAndNeverReturnsToZero) {
    TitleScreen title;  // never entered: no pictures or sounds to draw or play
    TheInput().held = 0;
    title.SetTimer(999999.5f);
    title.Update(1.0f);
    EXPECT_EQ(title.Timer(), 100.0f);
    int shown = 0;
    for (int step = 0; step < 120; ++step) {
        title.Update(1.0f);
        EXPECT_NE(title.Timer(), 0.0f);
        shown += title.PromptAlpha() > 0;
        EXPECT_EQ(title.LogoAlpha(), 255);
    }
    EXPECT_EQ(shown, 91);
    TheInput().held = ButtonB;
    title.Update(1.0f);
    EXPECT_EQ(title.LeaveCounter(), 1.0f);
    EXPECT_EQ(title.PromptAlpha(), 0);  // leaving: no prompt, whatever the timer
    title.Leave();
}

TEST(TitleScreen, LeaveGivesBackEveryPictureAndSound) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    GlWindow window;
    ASSERT_TRUE(window.Open());
    ASSERT_EQ(chdir(BuiltDataDir().c_str()), 0);
    InitSoundSystem();
    ASSERT_TRUE(SoundEnabled());
    int textures = LiveTextureCount();
    TitleScreen title;
    for (int visit = 0; visit < 2; ++visit) {
        title.Enter();
        EXPECT_EQ(LiveSoundCount(), 2);
        EXPECT_EQ(LiveTextureCount(), textures + 2);
        title.Update(1.0f);
        title.Draw();
        title.Leave();
        EXPECT_EQ(LiveSoundCount(), 0);
        EXPECT_EQ(LiveTextureCount(), textures);
    }
}
