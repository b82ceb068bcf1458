#pragma once
#include "platform/Files.h"
#include <string>
#include <utility>
#include <vector>

// The files a stage was built from, and whether one of them has changed on
// disk since: the running game reloads the stage when its maker saves one.
class LevelWatch {
public:
    // Remembers the files (game paths) as they are now.
    void Watch(const std::vector<std::string>& gamePaths);
    // True when a file changed, went away or appeared since it was last
    // looked at; each change is reported once.
    bool Changed();

private:
    std::vector<std::pair<std::string, FileStamp>> files_;
};
