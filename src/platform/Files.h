#pragma once
#include <cstdio>
#include <string>
#include <vector>

// The game names its files with backslashes ("levels\blk101"). This is the
// one place where such a name becomes a path of this system.
std::string HostPath(const std::string& gamePath);

// fopen of a game path, relative to the working directory (the data
// directory, which the program changes into at start).
FILE* OpenGameFile(const std::string& gamePath, const char* mode);

// Reads a whole regular file of at most `maxBytes`; false with the reason
// when it cannot be opened or read, is no regular file (a folder, a FIFO) or
// is larger. A larger file is refused before anything is allocated.
bool ReadWholeFile(const std::string& gamePath, size_t maxBytes, std::vector<unsigned char>& bytes,
                   std::string& reason);

// Whether anything (a file, a folder, a link) is at the game path.
bool GameFileIsThere(const std::string& gamePath);

// What tells one version of a file from the next without reading it: its
// modification time, size and file number (a file replaced by a rename gets
// a new one). All zero when nothing is there.
struct FileStamp {
    long long modifiedNs = 0;
    long long size = 0;
    unsigned long long inode = 0;
    bool operator==(const FileStamp& other) const {
        return modifiedNs == other.modifiedNs && size == other.size && inode == other.inode;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
FileStamp StampOfGameFile(const std::string& gamePath);

// The folder of the player's own files: $XDG_DATA_HOME/duskhold, else
// ~/.local/share/duskhold ("" when neither variable gives a full path).
std::string PlayerDataDir();
// The folder of the player's settings: $XDG_CONFIG_HOME/duskhold, else
// ~/.config/duskhold ("" as above).
std::string PlayerConfigDir();
// Whether a regular file is at `path`.
bool FileExists(const std::string& path);
// Makes the folder and the missing folders above it; false with the reason.
bool MakeDirectories(const std::string& dir, std::string& error);
// Writes the bytes to `path` so that a crash at any moment leaves either the
// old file or the new one whole: a temporary file of a name of its own in the
// same folder (`path`.new-XXXXXX), flushed to the disk, then renamed over the
// old one. A `path` that is a symbolic link stays one: the file it leads to
// is replaced, in that file's folder. The file keeps its permissions; a new
// one gets rw-r--r-- less the umask. A file that is there and is no regular
// file (a device, a FIFO, a folder, or a link to one) or has no write
// permission for anyone (a player made it read-only) is kept as it is. False
// with the reason.
bool ReplaceFileWhole(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error);
// Why ReplaceFileWhole would keep what is at `path` as it is; "" when it
// would replace it (or make it).
std::string WhyNotReplaced(const std::string& path);
// Removes the temporary files (`path`.new-XXXXXX, beside the file a link at
// `path` leads to) that a writer ended before its rename left behind. Only a
// writer that holds the file's lock may call it: no other is then writing.
void RemoveLeftoverTemporaries(const std::string& path);
// Removes the regular files in the folder, then the folder when that
// leaves it empty.
void RemoveFolderOfFiles(const std::string& folder);

// The steps (about three seconds) a writer that waits for a lock lets pass
// before a status line says so.
constexpr long kLockWaitSteps = 190;

// An advisory lock (flock) on the file at `path` (made when missing), held
// while the object lives: processes that read, change and write one file take
// turns. It is only tried, so that a frame loop never waits for it: while
// another process holds it, Busy() says so; `waitMs` lets a program that is
// ending try again for that long.
class FileLock {
public:
    explicit FileLock(const std::string& path, int waitMs = 0);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // Whether the lock is held; false with the reason otherwise.
    bool Held(std::string& error) const;
    // Whether another process holds it (then Held is false).
    bool Busy() const { return busy_; }

private:
    int fd_;
    bool busy_ = false;
    std::string error_;
};
