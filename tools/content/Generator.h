#pragma once
#include <functional>
#include <string>
#include <vector>

// Where a generator reads its sources and writes the game's data. Game paths
// use the game's backslashes ("sprites\DH3font1.png").
class ContentContext {
public:
    ContentContext(std::string sourceDir, std::string outputDir);
    // The host path of a file in content/.
    std::string Source(const std::string& relative) const;
    // The host path of a data file, with its folder created.
    std::string Output(const std::string& gamePath) const;
    // Records a failure; the tool exits non-zero at the end.
    void Fail(const std::string& message);
    bool Ok() const { return failures_ == 0; }

private:
    std::string sourceDir_;
    std::string outputDir_;
    int failures_ = 0;
};

// Each generator registers itself by name at start-up; the tool runs them in
// name order, or only those named on its command line.
using GeneratorFunction = std::function<void(ContentContext&)>;
struct GeneratorRegistration {
    GeneratorRegistration(const char* name, GeneratorFunction function);
};
struct NamedGenerator {
    std::string name;
    GeneratorFunction function;
};
std::vector<NamedGenerator>& Generators();

#define DUSKHOLD_GENERATOR(name, function) static GeneratorRegistration function##Registration(name, function)
