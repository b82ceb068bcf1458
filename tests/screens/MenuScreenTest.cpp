#include "platform/Texture.h"
#include "screens/Main_Menu.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "world/LevelName.h"
#include <gtest/gtest.h>
#include <unistd.h>

namespace {
class MenuScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Open());
        ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
        dir_ = MakeTempDir();
        RunResult copy = RunProgram("cp", {"-r", BuiltDataDir() + "/.", dir_});
        ASSERT_EQ(copy.exitCode, 0) << copy.output;
        ASSERT_EQ(chdir(dir_.c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(home_), 0); }
    GlWindow window;
    std::string dir_;

private:
    char home_[4096] = {};
};
}

TEST_F(MenuScreenTest, LeaveAppliesTheStageTableAndReleasesWhatEnterLoaded) {
    RunResult saved = RunProgram(ToolPath("save"), {"new", dir_ + "/svfile", "AB:1", "CD:32"});
    ASSERT_EQ(saved.exitCode, 0) << saved.output;
    int before = LiveTextureCount();
    Main_Menu menu;
    menu.Enter();
    EXPECT_EQ(menu.Files().count, 2);
    EXPECT_EQ(LiveTextureCount(), before + 7);
    menu.Draw();

    // Stage 1 also loads its picture, which stays until the menu comes back.
    TheStageNumber() = 1;
    menu.Leave();
    EXPECT_STREQ(TheLevelName(), "blk101");
    EXPECT_EQ(LiveTextureCount(), before + 1);
    menu.Enter();
    EXPECT_EQ(LiveTextureCount(), before + 7);

    // A stage outside the table changes nothing.
    TheStageNumber() = 5;
    menu.Leave();
    EXPECT_STREQ(TheLevelName(), "blk101");
    EXPECT_EQ(LiveTextureCount(), before);

    // Without a save file the list keeps what it held.
    ASSERT_EQ(unlink("svfile"), 0);
    menu.Enter();
    EXPECT_EQ(menu.Files().count, 2);
    TheStageNumber() = 32;
    menu.Leave();
    EXPECT_STREQ(TheLevelName(), "blk40aa");
    EXPECT_EQ(LiveTextureCount(), before);
}
