#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

// The movies that tools/screenshots.sh replays for the README's pictures:
// each must still run and give the committed pictures pixel for pixel. A change to what any screen
// shows fails here until `make screenshots` takes the pictures again, so
// that the new pictures are reviewed like any other change.
namespace {
const std::string kShotDir = std::string(DUSKHOLD_SOURCE_DIR) + "/docs/screenshots";
const std::string kMovieDir = kShotDir + "/movies";

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

DecodedImage ReadPng(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    DecodedImage image;
    EXPECT_EQ(DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 4096, image),
              PngError::None)
        << path;
    return image;
}

// The committed pictures are taken at 960x720, three window pixels to each
// of the game's: the run here is at 320x240 and compares with the top-left
// pixel of each 3 by 3 block.
size_t DifferentPixels(const DecodedImage& taken, const DecodedImage& committed) {
    if (committed.width != 3 * taken.width || committed.height != 3 * taken.height)
        return size_t(taken.width) * taken.height;
    size_t different = 0;
    for (uint32_t y = 0; y < taken.height; ++y)
        for (uint32_t x = 0; x < taken.width; ++x) {
            const unsigned char* a = &taken.rgba[(size_t(y) * taken.width + x) * 4];
            const unsigned char* b = &committed.rgba[(size_t(3 * y) * committed.width + 3 * x) * 4];
            different += !std::equal(a, a + 3, b);
        }
    return different;
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
        // As tools/screenshots.sh takes them: from the build folder with
        // --data data, so that the console's data line is the same. Drawn
        // only on the shot steps (--unseen): a step's picture must not depend
        // on the earlier steps having been drawn, and the replay is quicker.
        // Each saves into an empty folder of its own.
        std::string dir = MakeTempDir();
        std::string command = "cd '" + std::string(DUSKHOLD_BUILD_DIR) + "' && exec env SDL_AUDIODRIVER=dummy " +
                              "XDG_DATA_HOME=" + MakeTempDir() + " " + DUSKHOLD_BINARY +
                              " --data data --window 320x240 --fast --unseen --steps " + std::to_string(steps) +
                              " --replay '" + path + "'";
        for (const std::string& option : movie.options) command += " " + option;
        for (const auto& [step, name] : movie.shots)
            command += " --shot " + std::to_string(step) + ":" + dir + "/" + name + ".png";
        RunResult run = RunProgram("sh", {"-c", command});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        for (const auto& [step, name] : movie.shots)
            EXPECT_EQ(DifferentPixels(ReadPng(dir + "/" + name + ".png"), ReadPng(kShotDir + "/" + name + ".png")), 0u)
                << name << ": the picture differs from docs/screenshots; take them again with make screenshots";
    }
    EXPECT_GE(movies, 5);
}
