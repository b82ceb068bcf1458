#include "platform/Files.h"
#include <sys/stat.h>

std::string HostPath(const std::string& gamePath) {
    std::string path = gamePath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

FILE* OpenGameFile(const std::string& gamePath, const char* mode) {
    return fopen(HostPath(gamePath).c_str(), mode);
}

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
