#include "core/Trace.h"
#include "screens/Hud.h"
#include "campaign/StageTable.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace {
// The number after "# budget:" in a route movie; 0 when there is none.
long RouteBudget(const std::string& movie) {
    for (const std::string& line : ReadLines(movie))
        if (line.rfind("# budget: ", 0) == 0) return std::strtol(line.c_str() + 10, nullptr, 10);
    return 0;
}

// How many enemies a trace line's "things" holds.
int EnemiesIn(const std::string& line) {
    const std::string things = JsonField(line, "things");
    int enemies = 0;
    for (const char* kind : {"\"walker\"", "\"flier\"", "\"thrower\"", "\"knight\"", "\"guardian\""})
        for (size_t at = things.find(kind); at != std::string::npos; at = things.find(kind, at + 1)) ++enemies;
    return enemies;
}
}

// Every shipped stage passes the tool's strict check, asks for play with
// the default numbers, dumps to a source that compiles to the same bytes,
// starts without an error, with the music of its row and with the hero's
// feet on the ground, and is cleared by its route movie (content/routes:
// arrows, X to jump, Z for the whip) within the movie's budget, with all
// its things present, beating some of its enemies, without losing a life;
// the route first walks left, where the wall that closes the stage stops
// him.
TEST(LevelStages, EachStageChecksRoundTripsStartsOnTheGroundAndItsRouteClearsIt) {
    std::string dir = MakeTempDir();
    for (const char* stage : {"blk101", "blk201a", "blk301a", "blk401a", "blk40aa", "blk501a", "blk601a", "blk701a",
                              "blk801a", "blk901a"}) {
        SCOPED_TRACE(stage);
        std::string level = BuiltDataDir() + "/levels/" + stage;
        RunResult check = RunProgram(ToolPath("level"), {"check", level, "--strict", "--data", BuiltDataDir()});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        EXPECT_NE(check.output.find(": ok, 0 missing pictures in " + BuiltDataDir() + ", 0 warnings"),
                  std::string::npos)
            << check.output;

        RunResult dump = RunProgram(ToolPath("level"), {"dump", level});
        ASSERT_EQ(dump.exitCode, 0) << dump.output;
        EXPECT_NE(dump.output.find("\nplay jump=72 hearts=5 lives=3 whip=1\n"), std::string::npos) << dump.output;
        std::string source = dir + "/" + stage + ".txt";
        std::ofstream(source) << dump.output;
        RunResult compile = RunProgram(ToolPath("level"), {"compile", source, dir + "/" + stage});
        ASSERT_EQ(compile.exitCode, 0) << compile.output;
        EXPECT_EQ(ReadTextFile(dir + "/" + stage), ReadTextFile(level));

        std::string trace = dir + "/" + stage + ".jsonl";
        std::string route = std::string(DUSKHOLD_SOURCE_DIR) + "/content/routes/" + stage + ".movie";
        const long budget = RouteBudget(route);
        ASSERT_GT(budget, 0) << route;
        std::vector<std::string> args = {"--fast",   "--unseen", "--steps",  std::to_string(budget),
                                         "--level",  stage,      "--trace",  trace,
                                         "--window", "320x240",  "--replay", route};
        const std::string banner = dir + "/banner.png";
        // The banner is shot with the outlines shown, to see that it lies over them.
        if (stage == std::string("blk101")) {
            std::ofstream(dir + "/outlines-on") << "outlines = on\n";
            args.insert(args.end(), {"--shot", "1372:" + banner, "--settings", dir + "/outlines-on"});
        }
        RunResult run = RunGame(args);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.find("Error"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("not loaded"), std::string::npos) << run.output;
        std::vector<std::string> lines = ReadLines(trace);
        ASSERT_EQ(lines.size(), size_t(budget));
        EXPECT_EQ(JsonField(lines[0], "state"), "\"game\"");
        EXPECT_EQ(JsonField(lines[0], "level"), "\"" + std::string(stage) + "\"");
        EXPECT_EQ(JsonField(lines[0], "music"), JsonString(FindStageOfLevel(stage)->music));
        EXPECT_EQ(JsonField(lines[0], "player"), JsonField(lines[9], "player"));
        auto cleared = std::find_if(lines.begin(), lines.end(),
                                    [](const std::string& line) { return JsonField(line, "clear") == "0"; });
        ASSERT_NE(cleared, lines.end()) << "the route does not clear the stage within " << budget << " steps";
        EXPECT_NE(JsonField(*cleared, "hero").find("\"lives\":3,"), std::string::npos) << *cleared;
        EXPECT_LT(EnemiesIn(*cleared), EnemiesIn(lines[0])) << "the route beats no enemy";
        // The tally times every step played, and counts the gems as the HUD.
        const std::string tally = JsonField(*cleared, "tally");
        EXPECT_EQ(JsonField(tally, "steps"), JsonField(*cleared, "step")) << tally;
        EXPECT_EQ(JsonField(tally, "gems"), JsonField(*cleared, "gems")) << tally;
        float leftmost = 1e9f;
        for (auto line = lines.begin(); line != cleared; ++line)
            leftmost = std::min(leftmost, std::strtof(JsonField(*line, "player").c_str() + 1, nullptr));
        EXPECT_EQ(leftmost, 34.0f);
        // Each lantern the route lights says CHECKPOINT for its 94 steps; each
        // hit the tally counts is on the trace line of its own step.
        long lit = 0, shown = 0, hits = 0;
        for (const std::string& line : lines) {
            const std::string steps = JsonField(line, "checkpoint");
            lit += steps == "94";
            shown += !steps.empty();
            hits += !JsonField(line, "hit").empty();
        }
        EXPECT_EQ(shown, lit * Hud::kCheckpointSteps) << stage;
        EXPECT_EQ(std::to_string(hits), JsonField(tally, "hits")) << stage;
        if (stage == std::string("blk101")) {
            EXPECT_EQ(lit, 2) << "the village's two lanterns";
        }
    }
    // STAGE CLEAR lies over the outlines: on blk101 the cyan edge between two
    // wall cells runs down columns 127 and 128, through the banner's rows 116
    // to 123 under its first two letters, and they break it.
    const std::string png = ReadTextFile(dir + "/banner.png");
    DecodedImage shot;
    ASSERT_EQ(DecodePng(reinterpret_cast<const unsigned char*>(png.data()), png.size(), 4096, shot), PngError::None);
    int underLetters = 0, besideLetters = 0;
    for (size_t y = 113; y < 127; ++y)
        for (size_t x : {127, 128}) {
            const unsigned char* pixel = &shot.rgba[(y * shot.width + x) * 4];
            (y >= 116 && y < 124 ? underLetters : besideLetters) +=
                pixel[0] == 0 && pixel[1] == 0xFF && pixel[2] == 0xFF;
        }
    EXPECT_EQ(besideLetters, 12) << "the outlines are not drawn";
    EXPECT_LT(underLetters, 16);
}
