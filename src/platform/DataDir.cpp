#include "platform/DataDir.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
bool IsDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder that holds `dir`: "/opt/duskhold/bin" gives "/opt/duskhold".
std::string ParentDir(const std::string& dir) {
    size_t slash = dir.rfind('/');
    return slash == std::string::npos ? dir + "/.." : dir.substr(0, slash);
}
}

std::string ExecutableDir(const char* argv0) {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string exe = length > 0 ? std::string(buffer, size_t(length)) : std::string(argv0 ? argv0 : "");
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string(".") : exe.substr(0, slash);
}

DataDirChoice ChooseDataDir(const std::string& fromOption, const char* argv0) {
    if (!fromOption.empty()) return {fromOption, "--data"};
    const char* fromEnv = getenv("DUSKHOLD_DATA");
    if (fromEnv && *fromEnv) return {fromEnv, "DUSKHOLD_DATA"};
    std::string beside = ExecutableDir(argv0) + "/data";
    if (IsDirectory(beside)) return {beside, "beside the program"};
    // An installed game lives in <prefix>/bin with its data in <prefix>/share,
    // wherever the prefix was moved to.
    std::string installed = ParentDir(ExecutableDir(argv0)) + "/share/duskhold";
    if (IsDirectory(installed)) return {installed, "installed"};
    return {DUSKHOLD_SHARE_DIR, "installed"};
}

bool EnterDataDir(const std::string& path, std::string& error) {
    if (chdir(path.c_str()) == 0) return true;
    error = strerror(errno);
    return false;
}
