// The stages: every content/levels/NAME.txt level source is compiled into
// the level file levels\NAME, the same way `duskhold-level compile` does.
#include "Generator.h"
#include "RecipeFiles.h"
#include "levelsource/LevelSource.h"
#include "world/LevelFile.h"
#include <fstream>
#include <sstream>

namespace {

std::string BaseName(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
    return name.substr(0, name.size() - 4);
}

void CompileStage(ContentContext& context, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    LevelFile::LevelData level;
    std::string error;
    if (!in || !LevelSource::Compile(text.str(), level, error)) {
        context.Fail(path + ": " + (in ? error : "cannot be read"));
        return;
    }
    std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
    std::ofstream out(context.Output("levels\\" + BaseName(path)), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) context.Fail("levels\\" + BaseName(path) + " cannot be written");
}

void GenerateStages(ContentContext& context) {
    for (const std::string& path : ListRecipeFiles(context.Source("levels"))) CompileStage(context, path);
}

}  // namespace

DUSKHOLD_GENERATOR("levels", GenerateStages);
