#pragma once
#include <string>

// The bench's working folder: a copy of the built data with the worst-case
// level and its pictures added, the movie the frame-time runs replay, and
// room for traces and logs. Removed again by the destructor.
class BenchData {
public:
    // Empty paths and the reason in `error` when something cannot be made.
    // With a `keptDir`, the folder is that one (made if missing) and stays.
    BenchData(const std::string& builtData, long movieSteps, std::string& error, const std::string& keptDir = "");
    ~BenchData();
    BenchData(const BenchData&) = delete;
    BenchData& operator=(const BenchData&) = delete;

    const std::string& WorkDir() const { return workDir_; }
    const std::string& DataDir() const { return dataDir_; }
    const std::string& Movie() const { return movie_; }

private:
    std::string workDir_, dataDir_, movie_;
    bool kept_ = false;
};
