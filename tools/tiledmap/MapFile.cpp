// Map files on disk for duskhold-level.
#include "platform/Files.h"
#include "tiledmap/LevelMap.h"
#include <filesystem>

namespace LevelMap {

namespace {

// The way from the map's folder to the data directory, as the map's
// picture paths start (Tiled reads them relative to the map).
std::string PicturePrefix(const std::string& mapPath, const std::string& dataDir) {
    namespace fs = std::filesystem;
    std::error_code failed;
    fs::path mapDir = fs::absolute(fs::path(mapPath), failed).parent_path();
    fs::path relative = fs::relative(fs::absolute(dataDir, failed), mapDir, failed);
    if (failed || relative.empty() || relative == ".") return "";
    return relative.generic_string() + "/";
}

}  // namespace

bool ReadMapFile(const std::string& path, TiledMap::Format format, LevelFile::LevelData& level, std::string& error) {
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, kMaxMapFileBytes, bytes, error)) return (error = "cannot be read: " + error), false;
    return Import(std::string(bytes.begin(), bytes.end()), format, level, error);
}

// Written beside the target and renamed over it, so that a failed write
// leaves the map that was there.
bool WriteMapFile(const LevelFile::LevelData& level, const std::string& path, TiledMap::Format format,
                  const std::string& dataDir, std::string& error) {
    const std::string text = Export(level, format, PicturePrefix(path, dataDir));
    return ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), error);
}

}  // namespace LevelMap
