#include "core/EntityManager.h"
#include "levelsource/LevelSource.h"
#include "player/Player.h"
#include "screens/State_Game.h"
#include "support/GlWindow.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/LevelName.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct StepRecorder : Entity {
    void Update(float step) override { steps.push_back(step); }
    void Draw() override { ++draws; }
    std::vector<float> steps;
    int draws = 0;
};

// Writes levels/<name> in a fresh working directory.
void WriteStage(const char* name) {
    mkdir("levels", 0755);
    LevelFile::LevelData data;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile("start 480 960\ntile -1 0 1\ngrid main 1 1\nlegend # 0\n|##\n|##\nend\n",
                                     data, error))
        << error;
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(data);
    std::ofstream(std::string("levels/") + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class StateGameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Open());
        ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
        ASSERT_EQ(chdir(MakeTempDir().c_str()), 0);
    }
    void TearDown() override {
        state.entities.Clear();
        ASSERT_EQ(chdir(home_), 0);
    }
    GlWindow window;
    State_Game state;

private:
    char home_[4096] = {};
};

}  // namespace

TEST_F(StateGameTest, EnterLoadsTheNamedLevelWithTheHeroAfterIt) {
    WriteStage("blk101");
    SetLevelName("blk101");
    state.Enter();
    const std::list<Entity*>& entities = state.entities.Entities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(entities.front(), state.level);
    Player* hero = dynamic_cast<Player*>(entities.back());
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->position.x, 48.0f);
    EXPECT_EQ(hero->position.y, 96.0f);
    EXPECT_EQ(state.level->rectangles.size(), 2u);

    // Leave removes the level and the hero; Update and Draw reach every
    // entity unchanged.
    state.Leave();
    EXPECT_TRUE(state.entities.Entities().empty());
    EXPECT_EQ(state.level, nullptr);
    EXPECT_EQ(ThePlayer(), nullptr);
    StepRecorder* recorder = new StepRecorder();
    state.entities.Add(recorder);
    state.Update(0.5f);
    state.Draw();
    EXPECT_EQ(recorder->steps, std::vector<float>{0.5f});
    EXPECT_EQ(recorder->draws, 1);
}

TEST(LevelName, LongNamesAreCutToFit) {
    std::string longName(400, 'x');
    SetLevelName(longName.c_str());
    EXPECT_EQ(std::string(TheLevelName()), longName.substr(0, kLevelNameSize - 1));
}
