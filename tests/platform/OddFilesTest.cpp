#include "base/Log.h"
#include "platform/ErrorBox.h"
#include "platform/MovieEvents.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include "campaign/SaveFile.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using OddFiles = GlTest;

// A level, a save, a movie, a picture, a sound and a tune each refuse, with
// the reason, a sparse file of 100 GB (which they would fail to allocate), a
// FIFO (which they must not wait on) and a folder.
TEST_F(OddFiles, EveryLoaderRefusesHugeFilesFifosAndFoldersAtOnce) {
    TempDir dir;
    for (const char* huge : {"huge", "huge.mid"}) {
        std::ofstream(dir / huge).close();
        ASSERT_EQ(truncate((dir / huge).c_str(), 100LL << 30), 0);
    }
    for (const char* fifo : {"fifo", "fifo.mid"}) ASSERT_EQ(mkfifo((dir / fifo).c_str(), 0644), 0);
    std::vector<std::string> reasons;
    SetErrorDialogsAllowed(false);
    InitSoundSystem();
    ASSERT_TRUE(SoundEnabled());
    SetLogSink([&](const std::string& line) { reasons.push_back(line); });
    const std::pair<std::string, const char*> files[] = {{dir / "huge", "it holds 107374182400 bytes, more than"},
                                                         {dir / "fifo", "it is not a regular file"},
                                                         {dir.path, "it is a folder"}};
    for (const auto& [path, why] : files) {
        LevelFile::LevelData level;
        SaveFileTable table;
        std::string levelReason, saveReason, movieReason;
        reasons.clear();
        EXPECT_FALSE(LevelFile::ReadLevelFile(path, level, levelReason));
        EXPECT_FALSE(LoadSaveFile(path, table, saveReason));
        EXPECT_FALSE(LoadReplay(path, movieReason));
        EXPECT_EQ(Sprite(path.c_str(), Color(0)).texture.name, 0u);
        EXPECT_FALSE(Sound(path.c_str(), false).Loaded());
        const bool file = path != dir.path;
        if (file) {
            EXPECT_FALSE(Sound((path + ".mid").c_str(), true).Loaded()) << "a tune";
        }
        ASSERT_EQ(reasons.size(), file ? 3u : 2u);
        reasons.insert(reasons.end(), {levelReason, saveReason, movieReason});
        for (const std::string& said : reasons) EXPECT_NE(said.find(why), std::string::npos) << said;
    }
    TheSoundSystem()->close();
    SetLogSink(nullptr);
}
