#pragma once
#include "platform/Files.h"
#include <string>
#include <utility>
#include <vector>

// The files a stage was built from, and whether one of them has changed on
// disk since: the running game reloads the stage when its maker saves one.
class LevelWatch {
public:
    // Remembers the level file with the stamp it had before it was read, so
    // that a save landing during the read is seen at the next look, and its
    // pictures (game paths) as they are now, before they are loaded.
    void Watch(const std::string& levelPath, const FileStamp& stampBeforeRead,
               const std::vector<std::string>& pictures);
    // True when a file changed, went away or appeared since it was last
    // looked at; each change is reported once.
    bool Changed();

private:
    std::vector<std::pair<std::string, FileStamp>> files_;
};
