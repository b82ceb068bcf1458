#include "PlayData.h"
#include "campaign/SaveFile.h"
#include "screens/State_Game.h"
#include "support/GlWindow.h"
#include <csignal>
#include <fcntl.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {
const long kPlay = kFileListStep + 20;
const long kBanner = State_Game::kClearBannerSteps;

// PLAY on the first file of the list, then right held: the hero walks over
// the floor stage (WriteFloorStage) to its exit line.
std::vector<KeyHold> PlayAndWalkRight(long steps) {
    std::vector<KeyHold> holds = ToFileList();
    holds.insert(holds.end(), {{kPlay, "z", 2}, {kPlay + 2, "right", steps}});
    return holds;
}

std::string SaveBytes(const std::vector<std::string>& files) {
    std::string dir = MakeTempDir();
    WriteSaveFile(dir, files);
    return ReadTextFile(dir + "/svfile");
}

// Writes `bytes` as the player's save file in the folder XDG_DATA_HOME names.
void WritePlayerFile(const std::string& home, const std::string& bytes) {
    RunProgram("mkdir", {"-p", home + "/duskhold"});
    std::ofstream(home + "/duskhold/svfile", std::ios::binary) << bytes;
}
}

// A file started from the menu clears blk101 at its exit: the banner stands
// for its steps, then blk201a starts with its music and the counts of a first
// start, and the player's own save file names stage 2 for that file with the
// other file's record byte for byte as it was; the next run starts there.
TEST(StageClear, ClearingBlk101FromTheMenuStartsBlk201aAndSavesTheFile) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1", "MIRA:32"});
    WriteFloorStage(data, "blk101");
    const std::string shipped = ReadTextFile(data + "/svfile");
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    Play play = PlayMovie(data, PlayAndWalkRight(100), kPlay + 300, {}, env);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    const long cleared = FirstStep(play, "clear", "0");
    ASSERT_GT(cleared, kPlay);
    EXPECT_EQ(JsonField(StepLine(play, kPlay), "save"), "\"svfile\"");
    EXPECT_EQ(JsonField(StepLine(play, cleared - 1), "clear"), "");
    EXPECT_EQ(JsonField(StepLine(play, cleared + kBanner - 1), "clear"), std::to_string(kBanner - 1));
    EXPECT_EQ(JsonField(StepLine(play, cleared + kBanner - 1), "player"), JsonField(StepLine(play, cleared), "player"));
    const std::string next = StepLine(play, cleared + kBanner);
    EXPECT_EQ(JsonField(next, "level"), "\"blk201a\"");
    EXPECT_EQ(JsonField(next, "music"), "\"music\\\\DH3- Gearwheel4.mid\"");
    EXPECT_EQ(JsonField(next, "clear"), "");
    std::string saved = shipped;
    saved[4 + 4 + 4 * 6] = 2;  // ALDRIC's stage; its identity and MIRA's record as they were
    EXPECT_EQ(ReadTextFile(player), saved);
    EXPECT_EQ(ReadTextFile(data + "/svfile"), shipped);

    // The same file started again reads the player's file; blk201a starts as
    // it did after the clear.
    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kPlay, "z", 2});
    Play again = PlayMovie(data, holds, kPlay, {}, env);
    EXPECT_EQ(JsonField(StepLine(again, kPlay), "level"), "\"blk201a\"");
    EXPECT_EQ(JsonField(StepLine(again, kPlay), "save"), "\"" + player + "\"");
    for (const char* field : {"textures", "sounds"})
        EXPECT_EQ(JsonField(StepLine(again, kPlay), field), JsonField(next, field)) << field;

    // The tool lists what the game reads, and reset takes the player's file away.
    std::string tool = ToolPath("save");
    RunResult listed = RunProgram("env", {"XDG_DATA_HOME=" + home, "DUSKHOLD_DATA=" + data, tool, "list"});
    EXPECT_NE(listed.output.find("The player's save file " + player), std::string::npos) << listed.output;
    EXPECT_NE(listed.output.find("ALDRIC      stage 2  (blk201a)"), std::string::npos) << listed.output;
    RunResult reset = RunProgram("env", {"XDG_DATA_HOME=" + home, tool, "reset"});
    EXPECT_NE(reset.output.find("Removing the player's save file " + player), std::string::npos) << reset.output;
    EXPECT_EQ(ReadTextFile(player), "");
    listed = RunProgram("env", {"XDG_DATA_HOME=" + home, "DUSKHOLD_DATA=" + data, tool, "list"});
    EXPECT_NE(listed.output.find("The shipped save file " + data + "/svfile"), std::string::npos) << listed.output;
}

// A player's file is replaced whole or not at all: one cut short is left as
// it is, a write stopped before the rename leaves the old file, and a folder
// that cannot be made costs one status line. Each time the next stage starts.
TEST(StageClear, APlayersFileIsReplacedWholeOrNotAtAll) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1"});
    WriteFloorStage(data, "blk101");
    const std::string whole = SaveBytes({"ALDRIC:1", "MIRA:32"});
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    struct Case {
        std::string bytes, env, status;
    };
    for (const Case& c : {Case{whole.substr(0, whole.size() - 8), "XDG_DATA_HOME=" + home, "it ends early"},
                          Case{whole, "DUSKHOLD_TEST_STOP_BEFORE_RENAME=1", ""},
                          Case{"", "XDG_DATA_HOME=" + player, "cannot make " + player}}) {
        SCOPED_TRACE(c.env);
        WritePlayerFile(home, c.bytes);
        Play play = PlayMovie(data, PlayAndWalkRight(100), kPlay + 300, {},
                              {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home, c.env});
        EXPECT_EQ(ReadTextFile(player), c.bytes);
        if (c.status.empty()) continue;
        EXPECT_EQ(Count(play.run.output, "Progress not saved"), 1u) << play.run.output;
        EXPECT_NE(play.run.output.find(c.status), std::string::npos) << play.run.output;
        EXPECT_EQ(JsonField(StepLine(play, kPlay + 300), "level"), "\"blk201a\"");
    }
}

// The stage is cleared only by walking over the exit line within the main
// grid's rows and out of its walls: flying over the line, sinking through
// the ground below the grid or into it past the line do not clear blk101,
// nor does F6 putting the hero back. When blk201a, the next stage, is
// missing the menu comes after the banner; a --level run saves nothing. The
// last stage leads to the menu, which marks the finished file, and a hero
// who starts past the exit line of a one-column grid does not clear it.
TEST(StageClear, OnlyWalkingOverTheExitClearsAndTheLastOrAMissingStageLeadsToTheMenu) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:63"});
    WriteFloorStage(data, "blk101");
    WriteFloorStage(data, "blk901a");
    RunProgram("rm", {data + "/levels/blk201a"});
    const std::string home = MakeTempDir();
    const std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home};
    // Fly over the line, F6, sink below the grid past it, F6, sink into the ground past it, F6, walk over it.
    const std::vector<KeyHold> holds = {{1, "x", 80},      {40, "right", 40}, {85, "f6", 1},      {90, "z", 40},
                                        {90, "right", 40}, {132, "f6", 1},    {140, "right", 40}, {166, "z", 14},
                                        {182, "f6", 1},    {190, "right", 60}};
    Play direct = PlayMovie(data, holds, 480, {"--level", "blk101"}, env);
    for (long step : {80, 129, 179})  // flown over the line, sunk below the grid and into the ground past it
        EXPECT_GT(std::strtof(JsonField(StepLine(direct, step), "player").c_str() + 1, nullptr), 312.0f) << step;
    const long cleared = FirstStep(direct, "clear", "0");
    ASSERT_GT(cleared, 190) << direct.run.output;
    EXPECT_EQ(FirstStep(direct, "state", "\"menu\""), cleared + kBanner);
    EXPECT_EQ(Count(direct.run.output, "Level levels\\blk201a not loaded: "), 1u) << direct.run.output;
    EXPECT_EQ(RunProgram("ls", {"-A", home}).output, "");

    Play played = PlayMovie(data, PlayAndWalkRight(100), kPlay + 300, {}, env);
    EXPECT_EQ(JsonField(StepLine(played, kPlay + 300), "state"), "\"menu\"");
    std::string saved = SaveBytes({"ALDRIC:63"});
    saved[4 + 92 + 4 * 6] = 1;  // the finished mark after the name's 6 glyphs
    EXPECT_EQ(ReadTextFile(home + "/duskhold/svfile"), saved);

    CompileStage(data, "narrow",
                 "start 120 480\ntile -1 0 0\ntile -1 0 1\ngrid main 0 3\nlegend # 1\n|.\n|.\n|#\n|#\nend\n");
    Play narrow = PlayMovie(data, {}, 10, {"--level", "narrow"}, env);
    EXPECT_EQ(JsonField(StepLine(narrow, 10), "state"), "\"game\"") << narrow.run.output;
    EXPECT_EQ(FirstStep(narrow, "clear", "0"), 0);
}

namespace {
int gHeldLock = -1;
}

// Another program holds svfile.lock while the stage is cleared: the game
// never waits for it. Every step runs, the next stage starts after the
// banner, one status line says that the save waits, and once the lock is
// free (the test frees it on that line) the clear is saved.
TEST(StageClear, ALockHeldByAnotherProgramStopsNoStepAndTheClearIsSavedOnceItIsFree) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1", "MIRA:32"});
    WriteFloorStage(data, "blk101");
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    mkdir((home + "/duskhold").c_str(), 0755);
    gHeldLock = open((player + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_EQ(flock(gHeldLock, LOCK_EX), 0);
    // A game that waited for the lock would wait for ever: freed after a
    // minute, so that the test ends and fails.
    signal(SIGALRM, [](int) { close(gHeldLock); });
    alarm(60);
    const auto freeOnWaiting = [](const std::string& output) {
        if (gHeldLock >= 0 && output.find("Save waiting: another program holds the lock") != std::string::npos)
            close(gHeldLock), gHeldLock = -1;
    };
    const long steps = kPlay + 600;
    Play play = PlayMovie(data, PlayAndWalkRight(100), steps, {}, {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home},
                          freeOnWaiting);
    alarm(0);
    ASSERT_EQ(play.run.exitCode, 0) << play.run.output;
    EXPECT_EQ(play.trace.size(), size_t(steps));
    const long cleared = FirstStep(play, "clear", "0");
    ASSERT_GT(cleared, kPlay);
    EXPECT_EQ(JsonField(StepLine(play, cleared + kBanner), "level"), "\"blk201a\"");
    EXPECT_EQ(Count(play.run.output, "Save waiting: another program holds the lock " + player + ".lock"), 1u)
        << play.run.output;
    EXPECT_EQ(Count(play.run.output, "Progress saved: the lock " + player + ".lock is free"), 1u) << play.run.output;
    SaveFileTable saved;
    std::string why;
    ASSERT_TRUE(LoadSaveFile(player, saved, why)) << why;
    EXPECT_EQ(saved.files[0].stage, 2);
}

namespace {
// PLAY on the first file, then the stage's route movie from the stage's first step on.
std::vector<KeyHold> PlayTheRoute(const std::string& stage, long firstStageStep) {
    std::vector<KeyHold> holds = ToFileList();
    holds.push_back({kPlay, "z", 2});
    std::map<std::string, long> down;
    for (const std::string& line :
         ReadLines(std::string(DUSKHOLD_SOURCE_DIR) + "/content/routes/" + stage + ".movie")) {
        long step = 0;
        char press[8], key[16];
        if (std::sscanf(line.c_str(), "%ld %7s %15s", &step, press, key) != 3) continue;
        if (press == std::string("down")) down[key] = step;
        else holds.push_back({firstStageStep - 1 + down[key], key, step - down[key]});
    }
    return holds;
}
}

// blk101's route from the menu: the first clear's time and gems are new
// bests, kept in the file's spare values (11th and 1st) where older readers
// keep them, and the tool lists them. A press of Confirm after half a second
// of the tune is not taken, one after a second goes on to blk201a.
TEST(StageClear, TheTallyShowsNewBestsAndTheFileKeepsTheBestTimeAndGems) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1"});
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    const long cleared = kPlay + 1362;
    std::vector<KeyHold> holds = PlayTheRoute("blk101", kPlay + 1);
    holds.insert(holds.end(), {{cleared + 30, "z", 2}, {cleared + 70, "z", 2}});
    Play play = PlayMovie(data, holds, cleared + 80, {}, {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home});
    EXPECT_EQ(JsonField(StepLine(play, cleared), "tally"),
              "{\"steps\":1362,\"gems\":[1,1],\"foes\":[5,5],\"hits\":0,\"livesLost\":0,"
              "\"newBestTime\":true,\"newBestGems\":true}");
    EXPECT_EQ(JsonField(StepLine(play, cleared + 69), "clear"), "69");
    EXPECT_EQ(JsonField(StepLine(play, cleared + 72), "level"), "\"blk201a\"");
    const std::string saved = ReadTextFile(player);
    const auto value = [&](size_t offset) { return int32_t(uint8_t(saved[offset]) | uint8_t(saved[offset + 1]) << 8); };
    EXPECT_EQ(std::vector<int32_t>({value(32), value(36), value(76)}), std::vector<int32_t>({2, 1, 1362}));
    RunResult listed = RunProgram("env", {"XDG_DATA_HOME=" + home, "DUSKHOLD_DATA=" + data, ToolPath("save"), "list"});
    EXPECT_NE(listed.output.find("blk101    best time 0:21.79  best gems 1"), std::string::npos) << listed.output;
}

// STAGES on a file at FOREST whose VILLAGE kept a better time than the route's
// and no gems: blk101's route replays it, the tally shows a new best for the
// gems only, and going on opens the file's STAGES page again on VILLAGE, the
// file still at FOREST, the time kept and the gems raised, as saved.
TEST(StageClear, AReplayFromTheStagesPageKeepsTheFilesStageAndItsBetterBests) {
    std::string data = CopyOfBuiltData();
    SaveFileTable table;
    std::string error;
    ASSERT_TRUE(MakeSaveEntry("ALDRIC", 3, table.files[0], error)) << error;
    KeepBestSteps(table.files[0], 0, 1000);
    table.count = 1;
    const std::vector<unsigned char> bytes = SaveFileBytes(table);
    std::ofstream(data + "/svfile", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    const std::string home = MakeTempDir();
    // Down to STAGES, into the list, STAGES on the file, up to VILLAGE.
    const long page = kFileListStep + 30, start = page + 45;
    std::vector<KeyHold> holds = PlayTheRoute("blk101", start + 1);
    const long menuKeys = long(ToFileList().size());
    holds.erase(holds.begin() + menuKeys - 1, holds.begin() + menuKeys + 1);
    holds.insert(holds.begin() + menuKeys - 1, {{kFileListStep, "down", 2},
                                                {kFileListStep + 15, "down", 2},
                                                {page - 15, "z", 2},
                                                {page, "z", 2},
                                                {page + 15, "up", 2},
                                                {page + 30, "up", 2},
                                                {start, "z", 2}});
    const long cleared = start + 1362;
    holds.push_back({cleared + 70, "z", 2});
    Play play = PlayMovie(data, holds, cleared + 80, {}, {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home});
    const std::string tally = JsonField(StepLine(play, cleared), "tally");
    EXPECT_NE(tally.find("\"newBestTime\":false,\"newBestGems\":true"), std::string::npos) << tally;
    EXPECT_EQ(JsonField(StepLine(play, cleared + 80), "stages"),
              "{\"file\":0,\"stage\":3,\"row\":0,\"steps\":[1000,0,0,0,0,0,0,0,0,0],\"gems\":[1,0,0,0,0,0,0,0,0,0],"
              "\"gemTotals\":[1,3,3,4,3,4,4,4,3,4]}");
}

// The same route with two extra hearts and lives kept: the hero starts with
// seven hearts, the tally marks the time ASSIST and beats no best, and the
// file moves on to stage 2 with its bests left unset: the clear's time and
// gems are kept apart, listed as assisted.
TEST(StageClear, AnAssistedClearMovesTheFileOnAndKeepsItsBestsApart) {
    std::string data = CopyOfBuiltData();
    WriteSaveFile(data, {"ALDRIC:1"});
    TempDir dir;
    std::ofstream(dir / "settings") << "assist.hearts = 2\nassist.keep_lives = on\n";
    const std::string home = MakeTempDir(), player = home + "/duskhold/svfile";
    const long cleared = kPlay + 1362;
    Play play = PlayMovie(data, PlayTheRoute("blk101", kPlay + 1), cleared + 5, {"--settings", dir / "settings"},
                          {"SDL_AUDIODRIVER=dummy", "XDG_DATA_HOME=" + home});
    EXPECT_EQ(JsonField(JsonField(StepLine(play, kPlay + 10), "hero"), "hearts"), "7");
    EXPECT_EQ(JsonField(StepLine(play, kPlay + 10), "assist"), "{\"speed\":100,\"hearts\":2,\"keepLives\":true}");
    EXPECT_EQ(JsonField(StepLine(play, cleared), "tally"),
              "{\"steps\":1362,\"gems\":[1,1],\"foes\":[5,5],\"hits\":0,\"livesLost\":0,"
              "\"newBestTime\":false,\"newBestGems\":false,\"assisted\":true}");
    const std::string saved = ReadTextFile(player);
    const auto value = [&](size_t offset) { return int32_t(uint8_t(saved[offset]) | uint8_t(saved[offset + 1]) << 8); };
    EXPECT_EQ(std::vector<int32_t>({value(32), value(36), value(76)}), std::vector<int32_t>({2, 0, 0}));
    const RunResult list = RunProgram(ToolPath("save"), {"list", player});
    EXPECT_NE(list.output.find("blk101    best time 0:21.79  best gems 1  (assisted)"), std::string::npos)
        << list.output;
}
