#include "world/LevelWatch.h"

void LevelWatch::Watch(const std::string& levelPath, const FileStamp& stampBeforeRead,
                       const std::vector<std::string>& pictures) {
    files_.assign(1, {levelPath, stampBeforeRead});
    for (const std::string& path : pictures) files_.emplace_back(path, StampOfGameFile(path));
}

// Every file is looked at, so that changes saved together make one reload.
bool LevelWatch::Changed() {
    bool changed = false;
    for (auto& [path, stamp] : files_) {
        FileStamp now = StampOfGameFile(path);
        changed = changed || now != stamp;
        stamp = now;
    }
    return changed;
}
