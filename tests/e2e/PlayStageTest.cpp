#include "PlayData.h"
#include "screens/StageTitle.h"
#include "base/SharedConstants.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace {
// The level source line of a play marker with the given text.
std::string MarkerLine(const std::string& text) {
    std::string hex;
    const char* digits = "0123456789abcdef";
    for (unsigned char c : text) hex += {digits[c >> 4], digits[c & 15]};
    return "marker 0 0 0 0 " + std::to_string(text.size()) + " " + hex + "\n";
}

// blk101 as a stage with a floor (the hero starts on it at (240, 192)) and the given play marker.
void WritePlayFloorStage(const std::string& data, const std::string& marker) {
    std::string text = MarkerLine(marker) + "bounds 0 0 3360 4800\nstart 2400 1920\ntile -1 0 0\ntile -1 0 1\n";
    text += "grid main 13 14\nlegend # 1\n";
    for (int row = 0; row < 15; ++row) text += row < 8 ? "|..............\n" : "|##############\n";
    CompileStage(data, "blk101", text + "end\n");
}

const char* const kBackOnTheLedge = "{\"state\":\"stand\",\"facing\":\"right\",\"hearts\":5,\"lives\":1,\"whip\":1}";

long StateStep(const Play& play, const char* state, long from = 1) {
    return FirstStep(play, "state", std::string("\"") + state + "\"", from);
}
}

// Two lives lost below a bottomless play stage: GAME OVER, then the menu
// opens on the played file's PLAY, and one press starts it again. The hero
// starts on a crumbling ledge, and it is back under him when he comes back.
TEST(PlayStage, TheLastLifeLostLeadsToGameOverAndOnePressPlaysTheFileAgain) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1", "MIRA:1", "EDA:1"});
    WriteBottomlessStage(data, "blk101");
    const std::string source =
        MarkerLine("duskhold play lives=2") + "thing crumble x=160 y=72\n" + ReadTextFile(data + "/blk101.txt");
    CompileStage(data, "blk101", source);
    std::vector<KeyHold> holds = ToFileList();
    const long play = kFileListStep + 60;
    holds.insert(holds.end(), {{kFileListStep + 20, "down", 1}, {kFileListStep + 40, "down", 1}, {play, "z", 2}});
    const long leave = play + 1000, again = leave + 40;
    holds.insert(holds.end(), {{leave, "z", 2}, {again, "z", 2}});
    Play run = PlayMovie(data, holds, again + 10);
    ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
    const long started = StateStep(run, "game");
    ASSERT_GT(started, 0) << run.run.output;
    EXPECT_EQ(JsonField(JsonField(StepLine(run, started), "hero"), "lives"), "2");
    const long lost = StateStep(run, "gameover", started);
    ASSERT_GT(lost, started);
    EXPECT_EQ(JsonField(StepLine(run, lost - 1), "hero"),
              "{\"state\":\"dead\",\"facing\":\"right\",\"hearts\":0,\"lives\":1,\"whip\":1}");
    EXPECT_GT(lost - started, 2 * 96);  // two dyings, not the first fall
    const long back = FirstStep(run, "hero", kBackOnTheLedge, started);
    EXPECT_EQ(JsonField(StepLine(run, back + 20), "player"), "[160,48]") << back;
    const long menu = StateStep(run, "menu", lost);
    ASSERT_GT(menu, lost);
    EXPECT_LT(menu, again);
    const std::string menuState = JsonField(StepLine(run, menu), "menu");
    EXPECT_EQ(JsonField(menuState, "page"), "3");
    EXPECT_EQ(JsonField(menuState, "cursor"), "0");
    EXPECT_EQ(JsonField(menuState, "row"), "2");
    const long retried = StateStep(run, "game", menu);
    EXPECT_GE(retried, again);
    EXPECT_LE(retried, again + 2);
}

// --engine-rules plays a play stage as the engine does: X rises 4 pixels a
// step. A play marker with bad fields is named on one line and its
// defaults stand in.
TEST(PlayStage, EngineRulesIgnoreThePlayDataAndBadFieldsGetTheirDefaults) {
    std::string data = CopyOfBuiltData();
    WritePlayFloorStage(data, "duskhold play jump=500 lives=x hearts=2");
    const std::vector<KeyHold> jump = {{5, "x", 30}};
    Play engine = PlayMovie(data, jump, 126, {"--level", "blk101", "--engine-rules"});
    ASSERT_EQ(engine.run.exitCode, 0) << engine.run.output;
    // By the engine's rules the stage's name stands its 125 steps (124
    // with --level) although the hero rose; in play it goes when he moves,
    // and stands 250 steps when he does not.
    const std::string name = "\"THE VILLAGE BELOW THE CASTLE\"";
    EXPECT_EQ(JsonField(StepLine(engine, StageTitle::kShownSteps - 1), "stageName"), name);
    EXPECT_EQ(FirstStep(engine, "stageName", ""), StageTitle::kShownSteps);
    EXPECT_EQ(JsonField(StepLine(engine, 6), "player"), "[240,184]");
    EXPECT_EQ(JsonField(StepLine(engine, 7), "player"), "[240,180]");
    EXPECT_EQ(JsonField(StepLine(engine, 6), "hero"), "");
    EXPECT_EQ(Count(engine.run.output, "Play data"), 0u) << engine.run.output;
    Play played = PlayMovie(data, {{5, "space", 30}}, 60, {"--level", "blk101"});  // Space jumps in play
    ASSERT_EQ(played.run.exitCode, 0) << played.run.output;
    EXPECT_EQ(JsonField(StepLine(played, 5), "stageName"), name);
    EXPECT_EQ(FirstStep(played, "stageName", ""), 6);
    Play still = PlayMovie(data, {}, StageTitle::kUntilMovedSteps, {"--level", "blk101"});
    EXPECT_EQ(JsonField(StepLine(still, StageTitle::kUntilMovedSteps - 1), "stageName"), name);
    EXPECT_EQ(FirstStep(still, "stageName", ""), StageTitle::kUntilMovedSteps);
    EXPECT_EQ(Count(played.run.output,
                    "Play data: the play marker's jump=500 is outside 24 to 144; the play "
                    "marker's 'lives' is not a whole number; the defaults stand in"),
              1u)
        << played.run.output;
    EXPECT_EQ(JsonField(StepLine(played, 6), "hero"),
              "{\"state\":\"jump\",\"facing\":\"right\",\"hearts\":2,\"lives\":3,\"whip\":1}");
    float top = 192;
    for (long step = 6; step <= 60; ++step) {
        const std::string place = JsonField(StepLine(played, step), "player");
        top = std::min(top, std::stof(place.substr(place.find(',') + 1)));
    }
    EXPECT_NEAR(top, 192 - 72, 4);
}

namespace {
// Whether a point of the level lies in a main-grid cell whose definition is a wall.
bool InWall(const LevelFile::LevelData& level, float x, float y) {
    const int column = int(x) / kTileSize, row = int(y) / kTileSize;
    const LevelFile::CellGrid& grid = level.mainGrid;
    if (x < 0 || y < 0 || column >= grid.Columns() || row >= grid.Rows()) return false;
    const int16_t cell = std::max<int16_t>(grid.Cell(column, row), 0);
    const auto& definitions = level.tileDefinitions.items;
    return size_t(cell) < definitions.size() && definitions[size_t(cell)].flag40 != 0;
}
}

// Every key a new player tries, alone and with the arrows, held for 1, 10
// and 100 steps from wherever the last one left him: the hero's body never
// enters a wall, and where he settles his feet are not in one either.
TEST(PlayStage, NoKeyOnBlk101BuriesTheHero) {
    std::string data = CopyOfBuiltData();
    const std::string dump = RunProgram(ToolPath("level"), {"dump", data + "/levels/blk101"}).output;
    const bool play = dump.find("duskhold play") != std::string::npos || dump.find("\nplay ") != std::string::npos;
    if (!play) CompileStage(data, "blk101", MarkerLine("duskhold play") + dump);
    LevelFile::LevelData level;
    std::string reason;
    ASSERT_TRUE(LevelFile::ReadLevel(reinterpret_cast<const uint8_t*>(ReadTextFile(data + "/levels/blk101").data()),
                                     ReadTextFile(data + "/levels/blk101").size(), level, reason))
        << reason;
    const std::vector<std::string> keys = {"up", "down", "left", "right", "space", "return", "z",     "x",
                                           "w",  "a",    "s",    "d",     "end",   "delete", "right", "left"};
    std::vector<KeyHold> holds;
    std::vector<long> settled;
    long step = 10;
    for (long steps : {1L, 10L, 100L})
        for (size_t i = 0; i < keys.size(); ++i) {
            holds.push_back({step, keys[i], steps});
            // Down and the jump keys also go with a walk, the way players press them.
            if (i % 4 == 1) holds.push_back({step, keys[(i + 1) % keys.size()], steps});
            step += steps + 40;
            settled.push_back(step - 1);
        }
    Play run = PlayMovie(data, holds, step, {"--level", "blk101"});
    ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
    ASSERT_EQ(run.trace.size(), size_t(step));
    for (long s = 1; s <= step; ++s) {
        const std::string place = JsonField(StepLine(run, s), "player");
        const float x = std::stof(place.substr(1)), y = std::stof(place.substr(place.find(',') + 1));
        ASSERT_FALSE(InWall(level, x, y - 23) || InWall(level, x, y - 44)) << "step " << s << " " << place;
        if (std::find(settled.begin(), settled.end(), s) == settled.end()) continue;
        for (float dx : {-9.0f, 0.0f, 9.0f}) EXPECT_FALSE(InWall(level, x + dx, y - 2)) << "step " << s << " " << place;
    }
}

// P pauses a stage: the hero, held walking, stands still and the music
// stops under the pause menu; the arrows move its cursor round (paced as on
// every page: a button waits 15 steps, counted while the menu shows), OPTIONS
// opens the options over the stage, without its outlines (shown by the
// settings), and Back returns
// to the pause menu, P resumes, RESTART STAGE puts the hero back at the
// start and QUIT TO MENU leaves (Up from RESUME comes round to QUIT GAME).
TEST(PlayStage, PauseStopsTheStageAndItsMenuResumesRestartsAndQuits) {
    std::string data = CopyOfBuiltData();
    WritePlayFloorStage(data, "duskhold play");
    const std::vector<KeyHold> holds = {{10, "right", 60},  {20, "p", 1},   {80, "down", 1},  {90, "down", 1},
                                        {100, "return", 1}, {105, "x", 1},  {120, "up", 1},   {130, "p", 1},
                                        {140, "left", 30},  {180, "p", 1},  {190, "down", 1}, {200, "return", 1},
                                        {220, "p", 1},      {230, "up", 1}, {246, "up", 1},   {262, "return", 1}};
    const std::string options = data + "/options.png", settings = data + "/outlines-on";
    std::ofstream(settings) << "outlines = on\n";
    Play run = PlayMovie(data, holds, 270, {"--level", "blk101", "--shot", "101:" + options, "--settings", settings});
    ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
    // The options page hides the paused stage's outlines (walls in cyan).
    const std::string png = ReadTextFile(options);
    DecodedImage page;
    ASSERT_EQ(DecodePng(reinterpret_cast<const unsigned char*>(png.data()), png.size(), 4096, page), PngError::None);
    for (size_t at = 0; at + 3 < page.rgba.size(); at += 4)
        ASSERT_FALSE(page.rgba[at] == 0 && page.rgba[at + 1] == 0xFF && page.rgba[at + 2] == 0xFF) << at / 4;
    EXPECT_EQ(JsonField(StepLine(run, 19), "playing"), "true");
    EXPECT_EQ(JsonField(StepLine(run, 21), "pause"), "0");
    EXPECT_EQ(JsonField(StepLine(run, 21), "playing"), "false");
    EXPECT_EQ(JsonField(StepLine(run, 21), "player"), JsonField(StepLine(run, 129), "player"));
    EXPECT_EQ(JsonField(StepLine(run, 101), "state"), "\"options\"");
    EXPECT_EQ(JsonField(StepLine(run, 106), "state"), "\"game\"");
    EXPECT_EQ(JsonField(StepLine(run, 106), "pause"), "2");
    EXPECT_EQ(JsonField(StepLine(run, 121), "pause"), "1");
    EXPECT_EQ(JsonField(StepLine(run, 131), "pause"), "");
    EXPECT_EQ(JsonField(StepLine(run, 131), "playing"), "true");
    EXPECT_NE(JsonField(StepLine(run, 141), "player"), JsonField(StepLine(run, 169), "player"));
    EXPECT_EQ(JsonField(StepLine(run, 201), "player"), "[240,192]");
    EXPECT_EQ(JsonField(StepLine(run, 201), "pause"), "");
    EXPECT_EQ(JsonField(StepLine(run, 231), "pause"), "4");
    EXPECT_EQ(JsonField(StepLine(run, 247), "pause"), "3");
    EXPECT_EQ(JsonField(StepLine(run, 263), "state"), "\"menu\"");
}

// The press that closes the pause menu stays there, as one that changes the
// screen does, and a held direction goes on: by the engine's rules Z on
// RESUME and on RESTART STAGE does not sink the hero through the floor; in
// a play stage Z on RESUME does not crack the whip, and Right held through
// the pause walks on.
TEST(PlayStage, ThePressThatClosesThePauseMenuStaysThere) {
    std::string data = CopyOfBuiltData();
    const std::vector<KeyHold> engineHolds = {{10, "p", 1}, {20, "z", 8}, {40, "p", 1}, {50, "down", 1}, {60, "z", 24}};
    Play engine = PlayMovie(data, engineHolds, 90, {"--level", "blk101", "--engine-rules"});
    ASSERT_EQ(engine.run.exitCode, 0) << engine.run.output;
    const std::string start = JsonField(StepLine(engine, 9), "player");
    for (long step : {30L, 39L, 85L, 90L}) EXPECT_EQ(JsonField(StepLine(engine, step), "player"), start) << step;
    EXPECT_EQ(JsonField(StepLine(engine, 90), "state"), "\"game\"");

    WritePlayFloorStage(data, "duskhold play");
    Play played = PlayMovie(data, {{10, "right", 50}, {15, "p", 1}, {30, "z", 8}}, 50, {"--level", "blk101"});
    ASSERT_EQ(played.run.exitCode, 0) << played.run.output;
    EXPECT_EQ(JsonField(StepLine(played, 29), "pause"), "0");
    EXPECT_EQ(JsonField(StepLine(played, 31), "pause"), "");
    for (long step = 31; step <= 50; ++step)
        EXPECT_NE(JsonField(JsonField(StepLine(played, step), "hero"), "state"), "\"strike\"") << step;
    EXPECT_NE(JsonField(StepLine(played, 32), "player"), JsonField(StepLine(played, 50), "player"));
}

// A player's screen: the settings file's two bad lines are told at the
// bottom of the picture with the console hidden, the first for 120 steps as
// the second waits, and not while F3 shows the console; F2 shows the
// outlines, kept in the file when the game ends. Escape pauses and resumes
// a play stage, goes back from OPTIONS to the pause menu, and QUIT GAME asks
// first: NO plays on, YES ends the program on that step.
TEST(PlayStage, EscapePausesQuitGameAsksAndThePlayersMessagesShowWithTheConsoleHidden) {
    std::string data = CopyOfBuiltData();
    WritePlayFloorStage(data, "duskhold play");
    const std::string settings = data + "/settings";
    std::ofstream(settings) << "console = maybe\nmusic_volume = loud\n";
    const std::vector<KeyHold> holds = {{10, "f3", 1},      {20, "f3", 1},      {30, "f2", 1},      {40, "escape", 1},
                                        {50, "escape", 1},  {60, "escape", 1},  {70, "down", 1},    {86, "down", 1},
                                        {102, "return", 1}, {112, "escape", 1}, {128, "down", 1},   {144, "down", 1},
                                        {160, "return", 1}, {176, "return", 1}, {192, "return", 1}, {208, "right", 1},
                                        {224, "return", 1}};
    Play run = PlayMovie(data, holds, 300, {"--level", "blk101", "--settings", settings});
    ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
    EXPECT_NE(JsonField(StepLine(run, 5), "message").find("line 1: console = maybe"), std::string::npos);
    EXPECT_EQ(JsonField(StepLine(run, 11), "message"), "");
    EXPECT_EQ(JsonField(StepLine(run, 21), "message"), JsonField(StepLine(run, 5), "message"));
    EXPECT_NE(JsonField(StepLine(run, 125), "message").find("line 2: music_volume = loud"), std::string::npos);
    const std::tuple<long, const char*, const char*> seen[] = {
        {41, "pause", "0"}, {51, "pause", ""}, {103, "state", "\"options\""}, {113, "pause", "2"}, {177, "pause", "4"}};
    for (const auto& [step, field, value] : seen) EXPECT_EQ(JsonField(StepLine(run, step), field), value) << step;
    EXPECT_EQ(run.trace.size(), 224u);
    EXPECT_NE(ReadTextFile(settings).find("outlines = on\n"), std::string::npos) << ReadTextFile(settings);
}

// With NO LIFE LOSS the hero of a one-life stage comes back from every fall
// with his life; the pause menu then shows SKIP STAGE after OPTIONS, which
// asks first and goes on to the next stage of the table.
TEST(PlayStage, NoLifeLossKeepsTheLastLifeAndSkipStageAsksAndGoesOn) {
    std::string data = CopyOfBuiltData();
    WriteBottomlessStage(data, "blk101");
    CompileStage(data, "blk101", MarkerLine("duskhold play lives=1") + ReadTextFile(data + "/blk101.txt"));
    const std::string settings = data + "/settings";
    std::ofstream(settings) << "assist.keep_lives = on\n";
    const std::vector<KeyHold> holds = {{300, "p", 1},      {310, "down", 1},  {326, "down", 1},  {342, "down", 1},
                                        {358, "return", 1}, {374, "right", 1}, {390, "return", 1}};
    Play run = PlayMovie(data, holds, 400, {"--level", "blk101", "--settings", settings});
    ASSERT_EQ(run.run.exitCode, 0) << run.run.output;
    EXPECT_EQ(FirstStep(run, "state", "\"gameover\""), 0);
    EXPECT_TRUE(std::any_of(run.trace.begin(), run.trace.begin() + 299, [](const std::string& line) {
        return JsonField(JsonField(line, "hero"), "state") == "\"dead\"";
    }));
    EXPECT_EQ(JsonField(JsonField(StepLine(run, 299), "hero"), "lives"), "1");
    EXPECT_EQ(JsonField(StepLine(run, 343), "pause"), "3");
    EXPECT_EQ(JsonField(StepLine(run, 380), "level"), "\"blk101\"");
    EXPECT_EQ(JsonField(StepLine(run, 395), "level"), "\"blk201a\"");
}
