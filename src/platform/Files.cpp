#include "platform/Files.h"
#include "platform/Page.h"
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
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

// Flushes the folder itself, so that the rename inside it reaches the disk.
void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool WriteAndSync(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return Fail(error, "cannot write " + path);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        done += size_t(written);
    }
    bool ok = done == bytes.size() && fsync(fd) == 0;
    if (!ok) Fail(error, "cannot write " + path);
    if (close(fd) != 0 && ok) ok = Fail(error, "cannot write " + path);
    if (!ok) unlink(path.c_str());
    return ok;
}
}

std::string PlayerDataDir() {
    std::string data = FullPathFromEnv("XDG_DATA_HOME");
    if (data.empty()) {
        std::string home = FullPathFromEnv("HOME");
        if (home.empty()) return "";
        data = home + "/.local/share";
    }
    return data + "/duskhold";
}

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

bool ReplaceFileWhole(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error) {
    const std::string temporary = path + ".new";
    if (!WriteAndSync(temporary, bytes, error)) return false;
    // Tests end the program here, as a power cut would, to find the old file whole.
    if (getenv("DUSKHOLD_TEST_STOP_BEFORE_RENAME")) raise(SIGKILL);
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        Fail(error, "cannot replace " + path);
        unlink(temporary.c_str());
        return false;
    }
    const size_t slash = path.rfind('/');
    SyncFolder(slash == std::string::npos ? "." : path.substr(0, slash + 1));
    KeepPlayerFiles();
    return true;
}
