#include "platform/Files.h"
#include "platform/Page.h"
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

std::string HostPath(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

FILE* OpenGameFile(const std::string& gamePath, const char* mode) { return fopen(HostPath(gamePath).c_str(), mode); }

namespace {
// False when a read fails or the file got shorter since its size was taken.
bool ReadExactly(int fd, size_t size, std::vector<unsigned char>& bytes) {
    bytes.resize(size);
    for (size_t done = 0; done < size;) {
        ssize_t got = read(fd, bytes.data() + done, size - done);
        if (got <= 0) return false;
        done += size_t(got);
    }
    return true;
}
}

// Opened without blocking, so that a FIFO is refused rather than waited on;
// the size is known from fstat before anything is allocated.
bool ReadWholeFile(const std::string& gamePath, size_t maxBytes, std::vector<unsigned char>& bytes,
                   std::string& reason) {
    bytes.clear();
    int fd = open(HostPath(gamePath).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = strerror(errno);
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0) reason = strerror(errno);
    else if (S_ISDIR(info.st_mode)) reason = "it is a folder";
    else if (!S_ISREG(info.st_mode)) reason = "it is not a regular file";
    else if (uint64_t(info.st_size) > maxBytes)
        reason = "it holds " + std::to_string(info.st_size) + " bytes, more than the " + std::to_string(maxBytes) +
                 " allowed";
    else if (!ReadExactly(fd, size_t(info.st_size), bytes)) reason = "it cannot be read whole";
    else reason.clear();
    close(fd);
    return reason.empty();
}

bool GameFileIsThere(const std::string& gamePath) {
    struct stat info;
    return lstat(HostPath(gamePath).c_str(), &info) == 0;
}

FileStamp StampOfGameFile(const std::string& gamePath) {
    struct stat info;
    if (stat(HostPath(gamePath).c_str(), &info) != 0) return FileStamp();
    return {(long long)info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec, (long long)info.st_size,
            (unsigned long long)info.st_ino};
}

namespace {
// A full path from the environment, or "" (a relative one is ignored, as
// the XDG convention asks).
std::string FullPathFromEnv(const char* name) {
    const char* value = getenv(name);
    return value && value[0] == '/' ? value : "";
}

bool Fail(std::string& error, const std::string& what) {
    error = what + ": " + strerror(errno);
    return false;
}

#ifdef __EMSCRIPTEN__
// The page keeps the player's files in its storage once a file is replaced
// (KeepPlayerFiles). A flush there would copy the whole folder before the
// rename too, and would go on with the game from the storage's callback,
// after which the program's end never reaches the page.
int FlushToDisk(int) { return 0; }
#else
int FlushToDisk(int fd) { return fsync(fd); }
#endif

// Flushes the folder itself, so that the rename inside it reaches the disk.
void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    FlushToDisk(fd);
    close(fd);
}

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += size_t(written);
    }
    return true;
}

// The folder part of a path with its slash ("" for a bare name).
std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// Where a chain of symbolic links starting at `path` ends (a relative link
// counts from its own folder), so that a save kept in a synced folder
// through a link stays there and the link stays a link. A chain that never
// ends is given up after as many links as the system follows.
std::string FollowLinks(std::string path) {
    for (int links = 0; links < 40; ++links) {
        char target[PATH_MAX];
        ssize_t length = readlink(path.c_str(), target, sizeof target);
        if (length <= 0 || size_t(length) == sizeof target) break;
        std::string next(target, size_t(length));
        path = next[0] == '/' ? next : FolderOf(path) + next;
    }
    return path;
}

// The permissions of the file being replaced, or rw-r--r-- less the umask
// for a new one, as any file the user makes.
mode_t ModeFor(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0644 & ~mask;
}

// Writes the bytes to a new file of a name no other process uses, beside
// `path` and flushed to the disk; its name in `temporary`. Made exclusively,
// so that a link left under any name is never followed.
bool WriteTemporary(const std::string& path, const std::vector<unsigned char>& bytes, std::string& temporary,
                    std::string& error) {
    std::string pattern = path + ".new-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) return Fail(error, "cannot write " + path);
    temporary = pattern;
    bool ok = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && FlushToDisk(fd) == 0;
    if (!ok) Fail(error, "cannot write " + temporary);
    if (close(fd) != 0 && ok) ok = Fail(error, "cannot write " + temporary);
    if (!ok) unlink(temporary.c_str());
    return ok;
}
}

namespace {
// $VARIABLE/duskhold, else ~/FALLBACK/duskhold; "" when neither is a full path.
std::string PlayerDir(const char* variable, const char* fallback) {
    std::string base = FullPathFromEnv(variable);
    if (base.empty()) {
        std::string home = FullPathFromEnv("HOME");
        if (home.empty()) return "";
        base = home + fallback;
    }
    return base + "/duskhold";
}
}

std::string PlayerDataDir() { return PlayerDir("XDG_DATA_HOME", "/.local/share"); }

std::string PlayerConfigDir() { return PlayerDir("XDG_CONFIG_HOME", "/.config"); }

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool MakeDirectories(const std::string& dir, std::string& error) {
    for (size_t slash = dir.find('/', 1); slash != std::string::npos; slash = dir.find('/', slash + 1))
        mkdir(dir.substr(0, slash).c_str(), 0755);
    if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) return Fail(error, "cannot make " + dir);
    struct stat info;
    if (stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
    error = dir + " is not a folder";
    return false;
}

namespace {
// What a file that is not a regular one is, for a message.
std::string KindOf(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return "a folder";
    if (S_ISCHR(info.st_mode)) return "a character device";
    if (S_ISBLK(info.st_mode)) return "a block device";
    if (S_ISFIFO(info.st_mode)) return "a FIFO";
    if (S_ISSOCK(info.st_mode)) return "a socket";
    if (S_ISLNK(info.st_mode)) return "a chain of links too long to follow";
    return "no regular file";
}

// Why the file at `target` (where `path` leads) must not be replaced; "" when
// it may, or is not there.
std::string WhyKept(const std::string& path, const std::string& target) {
    struct stat info;
    if (lstat(target.c_str(), &info) != 0) return "";
    const std::string name = target == path ? path : path + " (a link to " + target + ")";
    if (!S_ISREG(info.st_mode)) return name + " is " + KindOf(info) + ", not a regular file: it is not replaced";
    if ((info.st_mode & 0222) == 0) return name + " is read-only: it is kept as it is";
    return "";
}
}

std::string WhyNotReplaced(const std::string& path) { return WhyKept(path, FollowLinks(path)); }

bool ReplaceFileWhole(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    const std::string target = FollowLinks(path);
    error = WhyKept(path, target);
    if (!error.empty()) return false;
    std::string temporary;
    if (!WriteTemporary(target, bytes, temporary, error)) return false;
    // Tests end the program here, as a power cut would, to find the old file whole.
    if (getenv("DUSKHOLD_TEST_STOP_BEFORE_RENAME")) raise(SIGKILL);
    if (rename(temporary.c_str(), target.c_str()) != 0) {
        Fail(error, "cannot replace " + target);
        unlink(temporary.c_str());
        return false;
    }
    const std::string folder = FolderOf(target);
    SyncFolder(folder.empty() ? "." : folder);
    KeepPlayerFiles();
    return true;
}

void RemoveLeftoverTemporaries(const std::string& path) {
    const std::string target = FollowLinks(path);
    const std::string folder = FolderOf(target);
    const std::string prefix = target.substr(folder.size()) + ".new-";
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        struct stat info;
        if (lstat((folder + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink((folder + name).c_str());
    }
    closedir(dir);
}

// A link at `folder` is not followed, nor one inside it: only the regular
// files in the folder itself go.
void RemoveFolderOfFiles(const std::string& folder) {
    struct stat info;
    if (lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string path = folder + "/" + entry->d_name;
            if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) unlink(path.c_str());
        }
        closedir(dir);
    }
    rmdir(folder.c_str());
}

// Looked at before it is opened: a device or a FIFO is never opened, and
// O_NOFOLLOW refuses a link made meanwhile.
FileLock::FileLock(const std::string& path, int waitMs) : fd_(-1) {
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        error_ = "the lock " + path + " is a symbolic link, and a lock is never followed: remove it";
        return;
    }
    if (lstat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        error_ = "the lock " + path + " is " + KindOf(info) + ", not a regular file: remove it";
        return;
    }
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        Fail(error_, "cannot open the lock " + path);
        return;
    }
    for (int waited = 0; flock(fd_, LOCK_EX | LOCK_NB) != 0; waited += 20) {
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            Fail(error_, "cannot lock " + path);
            return;
        }
        if (waited >= waitMs) {
            busy_ = true;
            error_ = "another program holds the lock " + path;
            return;
        }
        usleep(20 * 1000);
    }
}
FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);
}

bool FileLock::Held(std::string& error) const {
    if (error_.empty()) return true;
    error = error_;
    return false;
}
