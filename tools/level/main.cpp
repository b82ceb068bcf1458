// duskhold-level: turns level sources into level files and back, and checks
// a level file the way the game reads it.
#include "core/Options.h"
#include "levelcheck/LevelCheck.h"
#include "levelsource/LevelSource.h"
#include "platform/DataDir.h"
#include "platform/Files.h"
#include "world/LevelFile.h"
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

const char* const kUsage =
    "usage: duskhold-level compile SOURCE OUTPUT\n"
    "       duskhold-level dump LEVEL\n"
    "       duskhold-level check LEVEL [--data DIR] [--strict]\n";

bool ReadText(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    text = buffer.str();
    return true;
}

bool ReadLevelAt(const char* path, LevelFile::LevelData& level) {
    std::string reason;
    if (LevelFile::ReadLevelFile(path, level, reason)) return true;
    fprintf(stderr, "%s: the game refuses this level: %s\n", path, reason.c_str());
    return false;
}

int Compile(const char* sourcePath, const char* outputPath) {
    std::string source, error;
    if (!ReadText(sourcePath, source)) {
        fprintf(stderr, "%s: cannot be read: %s\n", sourcePath, strerror(errno));
        return 1;
    }
    LevelFile::LevelData level;
    if (!LevelSource::Compile(source, level, error)) {
        fprintf(stderr, "%s: %s\n", sourcePath, error.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
    FILE* out = fopen(outputPath, "wb");
    bool written = out && fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (out && fclose(out) != 0) written = false;
    if (!written) {
        fprintf(stderr, "%s: cannot be written: %s\n", outputPath, strerror(errno));
        return 1;
    }
    return 0;
}

int Dump(const char* levelPath) {
    LevelFile::LevelData level;
    if (!ReadLevelAt(levelPath, level)) return 1;
    fputs(LevelSource::Dump(level).c_str(), stdout);
    return 0;
}

// Missing pictures make a level not ready; warnings do too with --strict.
int Check(const char* levelPath, const std::string& dataDir, bool strict) {
    LevelFile::LevelData level;
    if (!ReadLevelAt(levelPath, level)) return 1;
    const std::vector<std::string> missing = LevelCheck::MissingPictures(level, dataDir);
    for (const std::string& picture : missing) printf("missing picture: %s\n", picture.c_str());
    const std::vector<std::string> warnings = LevelCheck::Warnings(level);
    for (const std::string& warning : warnings) printf("%s: %s\n", strict ? "error" : "warning", warning.c_str());
    const bool ready = missing.empty() && (warnings.empty() || !strict);
    printf("%s: %s, %zu missing picture%s in %s, %zu warning%s\n", levelPath, ready ? "ok" : "not ready",
           missing.size(), missing.size() == 1 ? "" : "s", dataDir.c_str(), warnings.size(),
           warnings.size() == 1 ? "" : "s");
    return ready ? 0 : 1;
}

// check LEVEL [--data DIR] [--strict], the options in any order.
int CheckCommand(int argc, char** argv) {
    // Without --data the pictures are looked for where the game would find them.
    std::string dataDir;
    bool strict = false;
    for (int i = 3; i < argc; ++i) {
        if (strcmp(argv[i], "--strict") == 0) strict = true;
        else if (strcmp(argv[i], "--data") == 0 && i + 1 < argc) dataDir = argv[++i];
        else return ToolUsage(kUsage, argc, argv);
    }
    return Check(argv[2], dataDir.empty() ? ChooseDataDir("", argv[0]).path : dataDir, strict);
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "dump" && argc == 3) return Dump(argv[2]);
    if (command == "check" && argc >= 3) return CheckCommand(argc, argv);
    return ToolUsage(kUsage, argc, argv);
}
