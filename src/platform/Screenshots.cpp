#include "platform/Screenshots.h"
#include "base/Log.h"
#include "platform/Files.h"
#include "platform/Page.h"
#include "platform/Window.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {
const char* const kPrefix = "shot-";
const char* const kSuffix = ".png";
// Longer numbers are not ours; nine digits also keep the sum below in range.
const size_t kMaxDigits = 9;
bool gRequested = false;

// The number in "shot-NNNN.png", or 0 for any other name.
long ShotNumber(const std::string& name) {
    size_t prefix = strlen(kPrefix), suffix = strlen(kSuffix);
    if (name.size() <= prefix + suffix || name.compare(0, prefix, kPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kSuffix) != 0)
        return 0;
    std::string digits = name.substr(prefix, name.size() - prefix - suffix);
    if (digits.size() > kMaxDigits || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return strtol(digits.c_str(), nullptr, 10);
}

long HighestShotNumber(const std::string& dir) {
    long highest = 0;
    DIR* listing = opendir(dir.c_str());
    if (!listing) return 0;
    while (dirent* entry = readdir(listing)) {
        long number = ShotNumber(entry->d_name);
        if (number > highest) highest = number;
    }
    closedir(listing);
    return highest;
}
}

std::string ScreenshotDir() {
    std::string folder = PlayerDataDir();
    return folder.empty() ? folder : folder + "/screenshots";
}

bool NextScreenshotPath(const std::string& dir, std::string& path, std::string& error) {
    if (dir.empty()) {
        error = "no home folder to keep screenshots in";
        return false;
    }
    if (!MakeDirectories(dir, error)) return false;
    char name[32];
    snprintf(name, sizeof name, "%s%04ld%s", kPrefix, HighestShotNumber(dir) + 1, kSuffix);
    path = dir + "/" + name;
    return true;
}

void RequestScreenshot() { gRequested = true; }

bool ScreenshotRequested() { return gRequested; }

void TakeRequestedScreenshot() {
    if (!gRequested) return;
    gRequested = false;
    std::string path, error;
    if (NextScreenshotPath(ScreenshotDir(), path, error) && WriteViewportPng(path, error)) {
        TellPlayer("Screenshot saved to %s", path.c_str());
        OfferDownload(path);
    } else {
        TellPlayer("Screenshot failed: %s", error.c_str());
    }
}
