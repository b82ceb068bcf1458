// duskhold-level: turns level sources into level files and back, and checks
// a level file the way the game reads it.
#include "core/Options.h"
#include "levelsource/LevelSource.h"
#include "platform/DataDir.h"
#include "platform/Files.h"
#include "world/LevelFile.h"
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

const char* const kUsage =
    "usage: duskhold-level compile SOURCE OUTPUT\n"
    "       duskhold-level dump LEVEL\n"
    "       duskhold-level check LEVEL [--data DIR]\n";

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

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int Check(const char* levelPath, const std::string& dataDir) {
    LevelFile::LevelData level;
    if (!ReadLevelAt(levelPath, level)) return 1;
    int missing = 0;
    for (const std::string& picture : LevelFile::PictureFiles(level)) {
        if (FileExists(dataDir + "/" + HostPath(picture))) continue;
        printf("missing picture: %s\n", picture.c_str());
        ++missing;
    }
    if (level.startPoints.items.empty()) printf("note: no start point, the hero starts at (0, 0)\n");
    printf("%s: %s, %d missing picture%s in %s\n", levelPath, missing ? "not ready" : "ok", missing,
           missing == 1 ? "" : "s", dataDir.c_str());
    return missing ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "compile" && argc == 4) return Compile(argv[2], argv[3]);
    if (command == "dump" && argc == 3) return Dump(argv[2]);
    // Without --data the pictures are looked for where the game would find them.
    if (command == "check" && argc == 3) return Check(argv[2], ChooseDataDir("", argv[0]).path);
    if (command == "check" && argc == 5 && strcmp(argv[3], "--data") == 0) return Check(argv[2], argv[4]);
    return ToolUsage(kUsage, argc, argv);
}
