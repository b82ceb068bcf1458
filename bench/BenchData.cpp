#include "BenchData.h"
#include "WalkMovie.h"
#include "WorstCaseLevel.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

BenchData::BenchData(const std::string& builtData, long movieSteps, std::string& error, const std::string& keptDir)
    : kept_(!keptDir.empty()) {
    std::string pattern = (fs::temp_directory_path() / "duskhold-gamebench-XXXXXX").string();
    std::error_code failure;
    if (kept_) {
        fs::create_directories(keptDir, failure);
        fs::remove_all(keptDir + "/data", failure);
        pattern = keptDir;
    } else if (!mkdtemp(pattern.data())) {
        error = "cannot make a temporary folder";
        return;
    }
    workDir_ = pattern;
    fs::copy(builtData, workDir_ + "/data", fs::copy_options::recursive, failure);
    if (failure) {
        error = "cannot copy " + builtData + ": " + failure.message();
        return;
    }
    if (!WriteWorstCaseLevel(workDir_ + "/data", error)) return;
    std::ofstream(workDir_ + "/walk.movie") << WalkMovie(movieSteps);
    dataDir_ = workDir_ + "/data";
    movie_ = workDir_ + "/walk.movie";
}

BenchData::~BenchData() {
    std::error_code ignored;
    if (!workDir_.empty() && !kept_) fs::remove_all(workDir_, ignored);
}
