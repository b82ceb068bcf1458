#include "support/GlWindow.h"
#include "support/RunGame.h"
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
std::string RealPath(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? resolved : path;
}

// Every generated data file, relative to the data folder.
std::vector<std::string> GameDataFiles(const std::string& dataDir) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dataDir)) {
        std::string relative = fs::relative(entry.path(), dataDir).string();
        if (entry.is_regular_file() && relative != ".stamp") files.push_back(relative);
    }
    return files;
}
}

TEST(Install, InstalledGameRunsFromAnyFolderAndFindsItsData) {
    std::string prefix = RealPath(MakeTempDir()) + "/prefix";
    RunResult install = RunProgram("cmake", {"--install", DUSKHOLD_BUILD_DIR, "--prefix", prefix});
    ASSERT_EQ(install.exitCode, 0) << install.output;

    for (const char* file : {"bin/duskhold", "bin/duskhold-content", "share/icons/hicolor/48x48/apps/duskhold.png",
                             "share/icons/hicolor/256x256/apps/duskhold.png", "share/man/man6/duskhold.6.gz",
                             "share/man/man1/duskhold-save.1.gz", "share/metainfo/io.duskhold.Duskhold.metainfo.xml"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;
    for (const std::string& file : GameDataFiles(BuiltDataDir()))
        EXPECT_TRUE(fs::is_regular_file(prefix + "/share/duskhold/" + file)) << file;
    EXPECT_FALSE(fs::exists(prefix + "/share/duskhold/.stamp"));
    std::string desktop = ReadTextFile(prefix + "/share/applications/io.duskhold.Duskhold.desktop");
    EXPECT_EQ(desktop.rfind("[Desktop Entry]\n", 0), 0u) << desktop;
    for (const char* line : {"\nType=Application\n", "\nExec=duskhold\n", "\nIcon=duskhold\n"})
        EXPECT_NE(desktop.find(line), std::string::npos) << line;

    // Started from / with no options and nothing in the environment that
    // points at the data: the game must find its share folder by itself.
    std::string trace = prefix + "/t.jsonl";
    RunResult run =
        RunProgram("/bin/sh", {"-c", "unset DUSKHOLD_DATA; cd / && exec \"$0\" --fast --steps 5 --trace \"$1\"",
                               prefix + "/bin/duskhold", trace});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("Data directory: " + prefix + "/share/duskhold (installed)\r\n"), std::string::npos)
        << run.output;
    EXPECT_EQ(ReadLines(trace).size(), 5u);
    fs::remove_all(fs::path(prefix).parent_path());
}
