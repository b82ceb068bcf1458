#include "ScenePictures.h"
#include "core/EntityManager.h"
#include "base/Log.h"
#include "levelsource/LevelSource.h"
#include "player/Player.h"
#include "support/GlWindow.h"
#include "world/Camera.h"
#include "world/Level.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using LevelNamespace::Level;

namespace {

const Color kBlue = Opaque(0, 0, 255);

// Runs in a fresh data directory of its own, with a GL context for the
// pictures and the messages of the load captured.
class LevelLoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Open());
        ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
        ASSERT_EQ(chdir(dir_.path.c_str()), 0);
        for (const char* folder : {"levels", "tiles", "bg"}) mkdir(folder, 0755);
        SetLogSink([this](const std::string& line) { messages.push_back(line); });
    }
    void TearDown() override {
        entities.Clear();
        SetLogSink(nullptr);
        ASSERT_EQ(chdir(home_), 0);
    }

    void WriteLevel(const char* name, const std::string& source) {
        LevelFile::LevelData data;
        std::string error;
        ASSERT_TRUE(LevelSource::Compile(source, data, error)) << error;
        std::vector<uint8_t> bytes = LevelFile::WriteLevel(data);
        std::ofstream(std::string("levels/") + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    Level* Load(const char* name) {
        auto owned = std::make_unique<Level>();
        Level* level = owned.get();
        entities.Add(std::move(owned));
        level->Load(name);
        return level;
    }

    Player* Hero() const {
        std::vector<Entity*> all = entities.Entities();
        return all.size() == 2 ? dynamic_cast<Player*>(all.back()) : nullptr;
    }

    bool Said(const std::string& text) const {
        for (const std::string& message : messages)
            if (message.find(text) != std::string::npos) return true;
        return false;
    }

    GlWindow window;
    EntityManager entities;
    std::vector<std::string> messages;

private:
    TempDir dir_;
    char home_[4096] = {};
};

const char* const kGrids = R"(
grid middle 3 2
legend a 1
|aaaa
|....
|....
end
grid back 5 1
|......
|......
end
)";

}  // namespace

TEST_F(LevelLoad, BuildsPicturesGridsCameraAndHero) {
    auto blue = [](int, int) { return kBlue; };
    for (int n : {1, 2, 3}) WritePicture("tiles/tile000" + std::to_string(n) + ".png", 24, 24, blue);
    WritePicture("bg/bg0018.png", 64, 64, blue);
    WriteLevel("stage", std::string(R"(
tiles 1 2 3
bounds -15 0 9600 2405
start 1205 2399
start 50 50
tile 0 0 1
grid main 9 5
legend # 0
|##########
|..........
|..........
|..........
|..........
|..........
end
background 0 0 2 0 18 1 64 64
)") + kGrids);
    Level* level = Load("stage");
    EXPECT_EQ(level->tilePictures.size(), 3u);
    ASSERT_EQ(level->backgrounds.size(), 1u);
    EXPECT_EQ(std::make_pair(level->backgrounds[0].horizontalDivisor, level->backgrounds[0].repeatStep),
              std::make_pair(2, 64));
    auto size = [](const LevelNamespace::Grid& grid) { return std::make_pair(grid.size(), grid[0].size()); };
    EXPECT_EQ(size(level->mainGrid), std::make_pair(size_t(10), size_t(5)));
    EXPECT_EQ(size(level->middleGrid), std::make_pair(size_t(3), size_t(2)));
    EXPECT_EQ(size(level->backGrid), std::make_pair(size_t(5), size_t(1)));
    EXPECT_EQ(level->middleGrid[2], (std::vector<int32_t>{1, -1}));
    // Empty main cells are definition 0 too: every kept cell collides.
    EXPECT_EQ(level->rectangles.size(), 50u);

    EXPECT_EQ(TheCamera().Minimum(), Vector3(-1, 0, 0));
    EXPECT_EQ(TheCamera().Maximum(), Vector3(960, 240, 0));
    Player* hero = Hero();
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(entities.Entities().front(), level);
    EXPECT_EQ(hero->position, Vector3(120, 239, 0));
    EXPECT_EQ(hero->probes[Player::CentreFoot].position.y, 239.0f);
    EXPECT_FALSE(Said("Cannot read file tiles"));
}

TEST_F(LevelLoad, RectanglesColumnByColumnWith0x40First) {
    WriteLevel("flags", R"(
tile -1 1 0
tile -1 1 1
tile -1 0 0
grid main 2 2
legend b 1
legend n 2
legend x 9
|.bx
|nn.
|nnn
end
)");
    Level* level = Load("flags");
    // Column 0: empty (0x20), definition 2 (nothing); column 1: both flags,
    // then nothing; column 2: value 9 has no definition, then empty.
    std::vector<std::tuple<float, float, uint32_t>> expected = {
        {0, 0, 0x20}, {24, 0, 0x40}, {24, 0, 0x20}, {48, 24, 0x20}};
    std::vector<std::tuple<float, float, uint32_t>> made;
    for (const Collision::Rectangle& r : level->rectangles) {
        made.emplace_back(r.min.x, r.min.y, r.category);
        EXPECT_EQ(r.mask, 0u);
        EXPECT_EQ(r.GetWidth(), 24.0f);
    }
    EXPECT_EQ(made, expected);
    EXPECT_EQ(level->mainGrid[2][0], 9);

    // A cell is inside a wall by its definition's 0x40 flag, definition 0
    // included; nothing outside the grid is.
    WriteLevel("wall", "tile -1 0 1\ntile -1 1 0\ngrid main 1 1\nlegend b 1\n|.b\n|bb\nend\n");
    Level* walled = Load("wall");
    EXPECT_TRUE(walled->InWall(Vector3(0, 0, 0)));
    EXPECT_FALSE(walled->InWall(Vector3(29, 5, 0)));
    EXPECT_FALSE(walled->InWall(Vector3(5, 60, 0)));
}

TEST_F(LevelLoad, RefusedOrMissingFilesBuildNothingAndSayWhy) {
    Level* missing = Load("nothere");
    EXPECT_TRUE(Said("Level levels\\nothere not loaded: the file cannot be read: No such file or directory"));
    EXPECT_TRUE(missing->rectangles.empty());
    EXPECT_EQ(entities.Entities().size(), 1u);

    std::ofstream("levels/short", std::ios::binary).write("\0\0\0\0\0\0\0\0\0\0\x36\0\x01", 13);
    messages.clear();
    Level* truncated = Load("short");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Level levels\\short not loaded: the file ends early, in the tile pictures");
    EXPECT_TRUE(truncated->mainGrid.empty());
    EXPECT_EQ(entities.Entities().size(), 2u);
}

// A main grid of columns without rows has no gate and holds no point; one
// with rows holds the points left of its last column down to its bottom
// edge, where a hero rebuilt on it keeps his place.
TEST(LevelGate, AGridWithoutRowsHasNoExitAndOneWithRowsHoldsItsBottomEdge) {
    Level level;
    level.mainGrid.resize(4);
    EXPECT_FALSE(level.ExitX());
    EXPECT_FALSE(level.Contains(Vector3(24.0f, 0.0f, 0.0f)));
    for (std::vector<int32_t>& column : level.mainGrid) column.resize(2);
    EXPECT_TRUE(level.Contains(Vector3(71.0f, 48.0f, 0.0f)));
    EXPECT_FALSE(level.Contains(Vector3(72.0f, 0.0f, 0.0f)));
    EXPECT_FALSE(level.Contains(Vector3(0.0f, 48.5f, 0.0f)));
}
