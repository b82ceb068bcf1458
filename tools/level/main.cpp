// duskhold-level: turns level sources into level files and back, and checks
// a level file the way the game reads it.
#include "app/Options.h"
#include "levelcheck/LevelCheck.h"
#include "levelsource/LevelSource.h"
#include "platform/DataDir.h"
#include "platform/Files.h"
#include "tiledmap/LevelMap.h"
#include "toolargs/ToolCommandLine.h"
#include "world/LevelFile.h"
#include <cstdio>
#include <cstring>

namespace {

const char* const kUsage =
    "usage: duskhold-level compile SOURCE|MAP OUTPUT\n"
    "       duskhold-level dump LEVEL|MAP\n"
    "       duskhold-level check LEVEL|MAP [--data DIR] [--strict]\n"
    "       duskhold-level export LEVEL|MAP MAP.tmx|MAP.tmj [--data DIR]\n"
    "       duskhold-level import MAP.tmx|MAP.tmj OUTPUT\n"
    "Options may stand anywhere on the line.\n";

bool ReadText(const char* path, std::string& text, std::string& reason) {
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, LevelSource::kMaxSourceBytes, bytes, reason)) return false;
    text.assign(bytes.begin(), bytes.end());
    return true;
}

// A map of the Tiled editor (.tmx, .tmj) stands wherever a level or a
// source does.
bool ReadMapAt(const char* path, TiledMap::Format format, LevelFile::LevelData& level) {
    std::string reason;
    if (LevelMap::ReadMapFile(path, format, level, reason)) return true;
    fprintf(stderr, "%s: %s\n", path, reason.c_str());
    return false;
}

bool ReadLevelAt(const char* path, LevelFile::LevelData& level) {
    std::string reason;
    TiledMap::Format format;
    if (TiledMap::FormatOfPath(path, format)) return ReadMapAt(path, format, level);
    if (LevelFile::ReadLevelFile(path, level, reason)) return true;
    fprintf(stderr, "%s: the game refuses this level: %s\n", path, reason.c_str());
    return false;
}

bool CompileSourceAt(const char* sourcePath, LevelFile::LevelData& level) {
    std::string source, error;
    TiledMap::Format format;
    if (TiledMap::FormatOfPath(sourcePath, format)) return ReadMapAt(sourcePath, format, level);
    if (!ReadText(sourcePath, source, error)) {
        fprintf(stderr, "%s: cannot be read: %s\n", sourcePath, error.c_str());
        return false;
    }
    if (LevelSource::Compile(source, level, error)) return true;
    fprintf(stderr, "%s: %s\n", sourcePath, error.c_str());
    return false;
}

// Written beside the output and renamed over it, so that a game watching
// the file never reads half of it.
int Compile(const char* sourcePath, const char* outputPath) {
    LevelFile::LevelData level;
    if (!CompileSourceAt(sourcePath, level)) return 1;
    std::string error;
    if (ReplaceFileWhole(outputPath, LevelFile::WriteLevel(level), error)) return 0;
    fprintf(stderr, "%s: %s\n", outputPath, error.c_str());
    return 1;
}

int Export(const char* levelPath, const char* mapPath, const std::string& dataDir) {
    LevelFile::LevelData level;
    TiledMap::Format format;
    std::string error;
    if (!TiledMap::FormatOfPath(mapPath, format)) {
        fprintf(stderr, "%s: a map file ends in .tmx or .tmj\n", mapPath);
        return 1;
    }
    if (!ReadLevelAt(levelPath, level)) return 1;
    if (LevelMap::WriteMapFile(level, mapPath, format, dataDir, error)) return 0;
    fprintf(stderr, "%s: %s\n", mapPath, error.c_str());
    return 1;
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

int MisplacedOption(const char* option, const char* commands, int argc, char** argv) {
    fprintf(stderr, "duskhold-level: %s is an option of %s only\n", option, commands);
    return ToolUsage(kUsage, argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    ToolCommandLine line;
    if (!ParseToolCommandLine(argc, argv, {"--strict"}, {"--data"}, line)) return ToolUsage(kUsage, argc, argv);
    std::vector<const char*> args;
    for (const std::string& argument : line.arguments) args.push_back(argument.c_str());
    const std::string command = args.empty() ? "" : args[0];
    const size_t count = args.size();
    // Without --data the pictures are looked for where the game would find them.
    const std::string dataDir = ChooseDataDir(line.Value("--data", ""), argv[0]).path;
    if (line.Has("--data") && command != "check" && command != "export")
        return MisplacedOption("--data", "check and export", argc, argv);
    if (line.Has("--strict") && command != "check") return MisplacedOption("--strict", "check", argc, argv);
    TiledMap::Format format;
    if (command == "compile" && count == 3) return Compile(args[1], args[2]);
    if (command == "dump" && count == 2) return Dump(args[1]);
    if (command == "import" && count == 3 && TiledMap::FormatOfPath(args[1], format)) return Compile(args[1], args[2]);
    if (command == "export" && count == 3) return Export(args[1], args[2], dataDir);
    if (command == "check" && count == 2) return Check(args[1], dataDir, line.Has("--strict"));
    return ToolUsage(kUsage, argc, argv);
}
