#include "PlayData.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>
#include <string>
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

long StateStep(const Play& play, const char* state, long from = 1) {
    return FirstStep(play, "state", std::string("\"") + state + "\"", from);
}
}

// Two lives lost below a bottomless play stage: GAME OVER, then the menu
// opens on the played file's PLAY, and one press starts it again.
TEST(PlayStage, TheLastLifeLostLeadsToGameOverAndOnePressPlaysTheFileAgain) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1", "MIRA:1", "EDA:1"});
    WriteBottomlessStage(data, "blk101");
    const std::string source = MarkerLine("duskhold play lives=2") + ReadTextFile(data + "/blk101.txt");
    CompileStage(data, "blk101", source);
    std::vector<KeyHold> holds = ToFileList();
    const long play = kFileListStep + 60;
    holds.insert(holds.end(), {{kFileListStep + 20, "down", 1}, {kFileListStep + 40, "down", 1}, {play, "z", 2}});
    const long leave = play + 800, again = leave + 40;
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
    Play engine = PlayMovie(data, jump, 20, {"--level", "blk101", "--engine-rules"});
    ASSERT_EQ(engine.run.exitCode, 0) << engine.run.output;
    EXPECT_EQ(JsonField(StepLine(engine, 6), "player"), "[240,184]");
    EXPECT_EQ(JsonField(StepLine(engine, 7), "player"), "[240,180]");
    EXPECT_EQ(JsonField(StepLine(engine, 6), "hero"), "");
    EXPECT_EQ(Count(engine.run.output, "Play data"), 0u) << engine.run.output;
    Play played = PlayMovie(data, jump, 60, {"--level", "blk101"});
    ASSERT_EQ(played.run.exitCode, 0) << played.run.output;
    EXPECT_EQ(Count(played.run.output, "Play data: the play marker's jump=500 is outside 24 to 144; the play "
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
