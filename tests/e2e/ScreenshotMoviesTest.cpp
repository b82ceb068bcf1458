#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

// The movies that tools/screenshots.sh replays for the README's pictures:
// each must still run, and reach the screen its pictures are named after
// when the screens' timing changes.
namespace {
const std::string kMovieDir = std::string(DUSKHOLD_SOURCE_DIR) + "/docs/screenshots/movies";

// The trace's state for a picture, by the start of the picture's name.
std::string ScreenOf(const std::string& picture) {
    const std::pair<const char*, const char*> screens[] = {
        {"title", "title"}, {"console", "title"}, {"menu", "menu"},
        {"files", "menu"},  {"stage-", "game"},   {"gameover", "gameover"}};
    for (const auto& [prefix, state] : screens)
        if (picture.rfind(prefix, 0) == 0) return std::string("\"") + state + "\"";
    return "";
}

struct ShotMovie {
    std::vector<std::string> options;
    std::vector<std::pair<long, std::string>> shots;  // step, picture name
};

// The "# options: ..." and "# shot: STEP NAME" lines of a movie.
ShotMovie ReadShotLines(const std::string& path) {
    ShotMovie movie;
    for (const std::string& line : ReadLines(path)) {
        std::istringstream words(line);
        std::string hash, kind;
        words >> hash >> kind;
        if (hash != "#") continue;
        if (kind == "options:")
            for (std::string option; words >> option;) movie.options.push_back(option);
        if (kind == "shot:") {
            long step = 0;
            std::string name;
            words >> step >> name;
            movie.shots.emplace_back(step, name);
        }
    }
    return movie;
}
}

TEST(ScreenshotMovies, EachReplaysToTheScreensItsPicturesShow) {
    int movies = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kMovieDir)) {
        if (entry.path().extension() != ".movie") continue;
        ++movies;
        std::string path = entry.path().string();
        SCOPED_TRACE(path);
        ShotMovie movie = ReadShotLines(path);
        ASSERT_FALSE(movie.shots.empty());
        long steps = 0;
        for (const auto& shot : movie.shots) steps = std::max(steps, shot.first);
        std::string trace = MakeTempDir() + "/trace.jsonl";
        std::vector<std::string> args = {"--fast", "--steps", std::to_string(steps), "--window",
                                         "320x240", "--data", BuiltDataDir(), "--replay", path,
                                         "--trace", trace};
        args.insert(args.end(), movie.options.begin(), movie.options.end());
        RunResult run = RunGame(args);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        std::vector<std::string> lines = ReadLines(trace);
        ASSERT_EQ(lines.size(), size_t(steps));
        for (const auto& [step, name] : movie.shots) {
            EXPECT_NE(ScreenOf(name), "") << "no screen known for the picture " << name;
            EXPECT_EQ(JsonField(lines[size_t(step - 1)], "state"), ScreenOf(name))
                << name << " at step " << step;
        }
    }
    EXPECT_GE(movies, 5);
}
