// duskhold-content: writes the game's whole data directory from content/.
#include "Generator.h"
#include "app/Options.h"
#include "toolargs/ToolCommandLine.h"
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

ContentContext::ContentContext(std::string sourceDir, std::string outputDir)
    : sourceDir_(std::move(sourceDir)), outputDir_(std::move(outputDir)) {}

std::string ContentContext::Source(const std::string& relative) const { return sourceDir_ + "/" + relative; }

std::string ContentContext::Output(const std::string& gamePath) const {
    std::string path = outputDir_ + "/" + gamePath;
    std::replace(path.begin(), path.end(), '\\', '/');
    for (size_t slash = path.find('/', outputDir_.size() + 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0755);
    return path;
}

void ContentContext::Fail(const std::string& message) {
    fprintf(stderr, "duskhold-content: %s\n", message.c_str());
    ++failures_;
}

std::vector<NamedGenerator>& Generators() {
    static std::vector<NamedGenerator> generators;
    return generators;
}

GeneratorRegistration::GeneratorRegistration(const char* name, GeneratorFunction function) {
    Generators().push_back({name, std::move(function)});
}

int main(int argc, char** argv) {
    ToolCommandLine line;
    const bool parsed = ParseToolCommandLine(argc, argv, {}, {}, line);
    const std::vector<std::string>& args = line.arguments;
    if (!parsed || args.size() < 2)
        return ToolUsage("usage: duskhold-content CONTENT_DIR OUTPUT_DIR [GENERATOR...]\n", argc, argv);
    if (mkdir(args[1].c_str(), 0755) != 0 && errno != EEXIST) {
        fprintf(stderr, "duskhold-content: cannot make %s: %s\n", args[1].c_str(), strerror(errno));
        return 1;
    }
    ContentContext context(args[0], args[1]);
    std::vector<NamedGenerator> generators = Generators();
    std::sort(generators.begin(), generators.end(),
              [](const NamedGenerator& a, const NamedGenerator& b) { return a.name < b.name; });
    for (const NamedGenerator& generator : generators) {
        bool wanted = args.size() == 2 || std::find(args.begin() + 2, args.end(), generator.name) != args.end();
        if (wanted) generator.function(context);
    }
    return context.Ok() ? 0 : 1;
}
