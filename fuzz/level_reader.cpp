// Any bytes: the reader either refuses them with a reason or accepts them,
// and an accepted file is written back, and dumped and compiled back, to
// exactly the same bytes.
#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LevelFile::LevelData level;
    std::string reason;
    if (!LevelFile::ReadLevel(data, size, level, reason)) {
        if (reason.empty()) abort();
        return 0;
    }
    std::vector<uint8_t> original(data, data + size);
    if (LevelFile::WriteLevel(level) != original) abort();
    LevelFile::LevelData compiled;
    std::string error;
    if (!LevelSource::Compile(LevelSource::Dump(level), compiled, error)) abort();
    if (LevelFile::WriteLevel(compiled) != original) abort();
    return 0;
}
