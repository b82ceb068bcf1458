#include "platform/Files.h"
#include <cerrno>
#include <csignal>
#include <cstdlib>
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

bool ReadWholeFile(const std::string& gamePath, std::vector<unsigned char>& bytes) {
    struct stat info;
    if (stat(HostPath(gamePath).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    FILE* file = OpenGameFile(gamePath, "rb");
    if (!file) return false;
    bool ok = fseek(file, 0, SEEK_END) == 0;
    long size = ok ? ftell(file) : -1;
    ok = ok && size >= 0 && fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        bytes.resize(size_t(size));
        ok = size == 0 || fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    fclose(file);
    return ok;
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
    SyncFolder(path.substr(0, path.rfind('/') + 1));
    return true;
}
