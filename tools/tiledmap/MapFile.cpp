// Map files on disk for duskhold-level.
#include "platform/Files.h"
#include "tiledmap/LevelMap.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    // An empty file fails the copy too, but leaves errno alone: the map
    // reader then says that it is empty.
    errno = 0;
    if (!in || (!(text << in.rdbuf()) && errno != 0))
        return (error = std::string("cannot be read: ") + strerror(errno)), false;
    return Import(text.str(), format, level, error);
}

// Written beside the target and renamed over it, so that a failed write
// leaves the map that was there.
bool WriteMapFile(const LevelFile::LevelData& level, const std::string& path, TiledMap::Format format,
                  const std::string& dataDir, std::string& error) {
    const std::string text = Export(level, format, PicturePrefix(path, dataDir));
    return ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), error);
}

}  // namespace LevelMap
