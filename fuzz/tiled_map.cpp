// Any text, read as an XML map when its first byte is '<' and as a JSON map
// otherwise: the importer either refuses it with a reason or gives a level
// whose file the reader accepts, and whose map in both formats imports back
// to the same bytes.
#include "tiledmap/LevelMap.h"
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    TiledMap::Format format = size > 0 && data[0] == '<' ? TiledMap::Format::Tmx : TiledMap::Format::Tmj;
    LevelFile::LevelData level;
    std::string error;
    if (!LevelMap::Import(text, format, level, error)) {
        if (error.empty()) abort();
        return 0;
    }
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
    LevelFile::LevelData read;
    if (!LevelFile::ReadLevel(bytes.data(), bytes.size(), read, error)) abort();
    for (TiledMap::Format again : {TiledMap::Format::Tmx, TiledMap::Format::Tmj}) {
        LevelFile::LevelData imported;
        if (!LevelMap::Import(LevelMap::Export(level, again, ""), again, imported, error)) abort();
        if (LevelFile::WriteLevel(imported) != bytes) abort();
    }
    return 0;
}
