// Any text: the level source compiler either refuses it with "line N: ..."
// or gives a level whose file the reader accepts, and whose dump compiles
// back to the same bytes.
#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string source(reinterpret_cast<const char*>(data), size);
    LevelFile::LevelData level;
    std::string error;
    if (!LevelSource::Compile(source, level, error)) {
        if (error.rfind("line ", 0) != 0) abort();
        return 0;
    }
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
    LevelFile::LevelData read;
    std::string reason;
    if (!LevelFile::ReadLevel(bytes.data(), bytes.size(), read, reason)) abort();
    LevelFile::LevelData compiled;
    if (!LevelSource::Compile(LevelSource::Dump(level), compiled, error)) abort();
    if (LevelFile::WriteLevel(compiled) != bytes) abort();
    return 0;
}
