#include "PlayData.h"
#include "screens/StageTitle.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

namespace {
const long kGameStart = kMenuStep + 79;
const long kNewGame = kGameStart + 30;

// The files "A:1" ... up to `count` files, all at the first stage.
std::vector<std::string> Files(char first, int count) {
    std::vector<std::string> files;
    for (char name = first; name < first + count; ++name) files.push_back(std::string(1, name) + ":1");
    return files;
}

std::string SaveBytes(std::vector<std::string> files) {
    std::string dir = MakeTempDir();
    WriteSaveFile(dir, files);
    return ReadTextFile(dir + "/svfile");
}

std::string Menu(const Play& play, long step) { return JsonField(StepLine(play, step), "menu"); }
}

// NEW GAME on a list of 19: MIRA is typed (Z and X type letters while the
// grid is open, Backspace and the grid's A edit), Return writes her as
// the 20th file of the player's own save file and starts the village, whose
// name stands until X jumps there. The next run lists the 20 files: NEW
// GAME says the list is full, and ERASE with YES takes the first file away,
// every other record staying byte for byte.
TEST(NewGame, ANamedFileIsSavedAndStartedAFullListSaysSoAndEraseAsksFirst) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, Files('A', 19));
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    const long t = kNewGame;
    std::vector<KeyHold> holds = {{1, "z", 50},
                                  {kGameStart, "z", 2},
                                  {t, "z", 2},
                                  {t + 5, "m", 2},
                                  {t + 10, "i", 2},
                                  {t + 15, "r", 2},
                                  {t + 20, "z", 2},
                                  {t + 25, "x", 2},
                                  {t + 30, "backspace", 2},
                                  {t + 35, "backspace", 2},
                                  {t + 40, "space", 2},
                                  {t + 50, "return", 2},
                                  {t + 60, "x", 2}};
    Play play = PlayMovie(data, holds, t + 200, {}, env);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    const std::string page1 = "{\"page\":1,\"cursor\":0,\"row\":0,\"scroll\":0";
    EXPECT_EQ(Menu(play, t), page1 + ",\"naming\":\"\",\"cell\":0}");
    EXPECT_EQ(Menu(play, t + 29), page1 + ",\"naming\":\"MIRZX\",\"cell\":0}");
    EXPECT_EQ(Menu(play, t + 49), page1 + ",\"naming\":\"MIRA\",\"cell\":0}");
    const long started = FirstStep(play, "state", "\"game\"");
    EXPECT_EQ(started, t + 50);
    EXPECT_NE(JsonField(StepLine(play, t + 60), "held"), "0");
    EXPECT_EQ(JsonField(StepLine(play, started), "level"), "\"blk101\"");
    EXPECT_EQ(JsonField(StepLine(play, t + 60), "stageName"), "\"THE VILLAGE BELOW THE CASTLE\"");
    EXPECT_EQ(FirstStep(play, "stageName", "", started), t + 61) << "the name goes when X jumps";
    std::vector<std::string> twenty = Files('A', 19);
    twenty.push_back("MIRA:1");
    // The 19 files byte for byte, and MIRA with an identity of its own.
    const std::string written = ReadTextFile(player), expected = SaveBytes(twenty);
    ASSERT_EQ(written.size(), expected.size()) << play.run.output;
    EXPECT_EQ(written.substr(0, 4 + 19 * 100 + 100), expected.substr(0, 4 + 19 * 100 + 100));

    const long erase = t + 150;
    holds = {{1, "z", 50},         {kGameStart, "z", 2},    {t, "z", 2},         {t + 30, "x", 2},
             {t + 50, "down", 2},  {t + 65, "z", 2},        {erase, "down", 2},  {erase + 15, "z", 2},
             {erase + 35, "z", 2}, {erase + 55, "left", 2}, {erase + 75, "z", 2}};
    Play again = PlayMovie(data, holds, erase + 80, {}, env);
    EXPECT_EQ(Menu(again, t + 29), page1 + ",\"full\":true}");
    EXPECT_EQ(Menu(again, t + 31), page1 + "}");
    EXPECT_EQ(Menu(again, erase + 54), "{\"page\":3,\"cursor\":1,\"row\":0,\"scroll\":0,\"erasing\":\"no\"}");
    EXPECT_EQ(Menu(again, erase + 74), "{\"page\":3,\"cursor\":1,\"row\":0,\"scroll\":0,\"erasing\":\"yes\"}");
    EXPECT_EQ(Menu(again, erase + 80), "{\"page\":3,\"cursor\":1,\"row\":0,\"scroll\":0}");
    std::string erased = written;
    erased.erase(4, 100);  // A's record, 100 bytes for a name of one glyph
    erased[0] = 19;
    EXPECT_EQ(ReadTextFile(player), erased);
    EXPECT_EQ(Count(again.run.output, "File A erased"), 1u) << again.run.output;
}
