#include "PlayData.h"
#include "support/GlWindow.h"
#include <gtest/gtest.h>

namespace {
// Every key of each action, as CONFIGURE lists them.
const std::string kDefaultKeys =
    "[\"LEFT A\",\"RIGHT D\",\"UP W\",\"DOWN S\",\"SPACE X END\",\"Z RETURN ENTER "
    "DELETE\",\"P\",\"Z DELETE RETURN ENTER SPACE\",\"X END\"]";
}

// On CONFIGURE (opened on step 200), every key and the joystick's defaults
// (no joystick is open) are listed: confirm becomes Return alone, so
// that back may not take Return; RESET TO DEFAULTS; jump becomes C. The
// file keeps C, and the next run jumps on C and no longer on Space.
TEST(Configure, ARebindingMadeOnThePageIsKeptAndJumpsInTheNextRun) {
    TempDir dir;
    const std::string settings = dir / "settings";
    const std::vector<KeyHold> holds = {
        {1, "z", 50},       {165, "down", 5}, {200, "z", 3},      {210, "down", 65},  {285, "z", 3},
        {295, "return", 3}, {315, "down", 5}, {330, "return", 3}, {340, "return", 3}, {360, "down", 5},
        {375, "return", 3}, {395, "up", 50},  {450, "z", 3},      {460, "c", 3},      {480, "x", 3},
    };
    Play first = PlayMovie(BuiltDataDir(), holds, 485, {"--settings", settings});
    ASSERT_EQ(first.run.exitCode, 0) << first.run.output;
    EXPECT_EQ(JsonField(StepLine(first, 201), "configure"),
              "{\"row\":0,\"waiting\":false,\"refused\":false,"
              "\"keys\":" +
                  kDefaultKeys +
                  ",\"pads\":[\"HAT LEFT\",\"HAT RIGHT\",\"HAT UP\",\"HAT DOWN\","
                  "\"EVEN BUTTONS\",\"ODD BUTTONS\",\"BUTTON 9\",\"EVEN BUTTONS\",\"ODD BUTTONS\"]}");
    const std::string refused = JsonField(StepLine(first, 341), "configure");
    EXPECT_EQ(JsonField(refused, "refused"), "true");
    EXPECT_EQ(JsonField(refused, "keys"),
              "[\"LEFT A\",\"RIGHT D\",\"UP W\",\"DOWN S\",\"SPACE X END\",\"Z "
              "RETURN ENTER DELETE\",\"P\",\"RETURN\",\"X END\"]");
    EXPECT_EQ(JsonField(JsonField(StepLine(first, 377), "configure"), "keys"), kDefaultKeys);
    EXPECT_EQ(JsonField(StepLine(first, 481), "state"), "\"menu\"");
    const std::string kept = ReadTextFile(settings);
    EXPECT_NE(kept.find("\nkey.jump = c\n"), std::string::npos) << kept;
    EXPECT_EQ(kept.find("key.confirm = return"), std::string::npos) << kept;

    Play second =
        PlayMovie(BuiltDataDir(), {{5, "space", 3}, {15, "c", 3}}, 20, {"--level", "blk101", "--settings", settings});
    ASSERT_EQ(second.run.exitCode, 0) << second.run.output;
    EXPECT_NE(JsonField(JsonField(StepLine(second, 6), "hero"), "state"), "\"jump\"");
    EXPECT_EQ(JsonField(JsonField(StepLine(second, 16), "hero"), "state"), "\"jump\"");
}
