#include "core/Log.h"
#include "platform/ErrorBox.h"
#include "platform/MovieEvents.h"
#include "platform/Sprite.h"
#include "screens/SaveFile.h"
#include "support/GlWindow.h"
#include "world/LevelFile.h"
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using OddFiles = GlTest;

// Each loader refuses, with the reason, a sparse file of 100 GB (which it
// would fail to allocate), a FIFO (which it must not wait on) and a folder.
TEST_F(OddFiles, EveryLoaderRefusesHugeFilesFifosAndFoldersAtOnce) {
    TempDir dir;
    int fd = open((dir / "huge").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(ftruncate(fd, 100LL << 30), 0);
    close(fd);
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    std::vector<std::string> lines;
    SetErrorDialogsAllowed(false);
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    const std::vector<std::function<std::string(const std::string&)>> loaders = {
        [](const std::string& path) {
            LevelFile::LevelData level;
            std::string reason;
            return LevelFile::ReadLevelFile(path, level, reason) ? "level read" : reason;
        },
        [](const std::string& path) {
            SaveFileTable table;
            std::string why;
            return LoadSaveFile(path, table, why) ? "save read" : why;
        },
        [](const std::string& path) {
            std::string error;
            return LoadReplay(path, error) ? "movie read" : error;
        },
        [&](const std::string& path) {
            lines.clear();
            Sprite picture(path.c_str(), Color(0));
            return picture.texture.name ? "picture read" : lines.at(0);
        },
    };
    for (const auto& load : loaders) {
        EXPECT_NE(load(dir / "huge").find("it holds 107374182400 bytes, more than the"), std::string::npos);
        EXPECT_NE(load(dir / "fifo").find("it is not a regular file"), std::string::npos) << load(dir / "fifo");
        EXPECT_NE(load(dir.path).find("it is a folder"), std::string::npos) << load(dir.path);
    }
    SetLogSink(nullptr);
}
