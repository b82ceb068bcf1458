// The pictures the stages name: tiles, stairs, animated tiles and
// background layers, drawn by code in each stage's own look.
#include "StageArt.h"
#include "Generator.h"
#include "RecipeFiles.h"
#include "world/LevelFile.h"
#include <cstdlib>
#include <map>

namespace {

bool ParseColor(const std::string& text, uint32_t& color) {
    char* end = nullptr;
    unsigned long value = strtoul(text.c_str(), &end, 16);
    if (text.size() != 6 || *end != '\0') return false;
    color = Rgb(uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value));
    return true;
}

// The colour and word settings of a theme, by key.
std::map<std::string, uint32_t*> ColorFields(StageTheme& t) {
    return {{"far", &t.far}, {"near", &t.near},     {"stone", &t.stone}, {"dark", &t.dark},
            {"top", &t.top}, {"accent", &t.accent}, {"glow", &t.glow},   {"water", &t.water}};
}

std::map<std::string, std::string*> WordFields(StageTheme& t) {
    return {{"ground", &t.ground},
            {"wall", &t.wall},
            {"skyline", &t.skyline},
            {"motif", &t.motif},
            {"interior", &t.interior}};
}

bool ThemeLine(const RecipeLine& line, StageTheme& theme, std::string& error) {
    const std::vector<std::string>& w = line.words;
    auto colors = ColorFields(theme);
    auto words = WordFields(theme);
    if (w[0] == "sky" && w.size() == 3 && ParseColor(w[1], theme.skyTop) && ParseColor(w[2], theme.skyBottom))
        return true;
    if (colors.count(w[0]) && w.size() == 2 && ParseColor(w[1], *colors[w[0]])) return true;
    if (words.count(w[0]) && w.size() == 2) {
        *words[w[0]] = w[1];
        return true;
    }
    double layers = 0;
    if (w[0] == "layers" && w.size() == 2 && ParseNumber(w[1], 3, 4, layers)) {
        theme.layers = int(layers);
        return true;
    }
    return RefuseLine(error, line.number, "cannot use '" + w[0] + "' here");
}

// The game keys tile pictures on white; writing the key pixels fully
// transparent as well draws them the same in the game and shows them the
// same in other programs (the map editor).
void SaveKeyedTile(ContentContext& context, Image tile, const char* base, int number) {
    for (int y = 0; y < tile.Height(); ++y)
        for (int x = 0; x < tile.Width(); ++x)
            if (tile.Get(x, y) == kTileKey) tile.Set(x, y, 0);
    tile.Save(context, LevelFile::PictureFileName(base, number));
}

void SaveTiles(ContentContext& context, const StageTheme& theme) {
    for (int k = 0; k < kStageTileCount; ++k)
        SaveKeyedTile(context, DrawStageTile(theme, StageTile(k)), LevelFile::kTileBase, theme.number * 100 + k);
    Image gate = DrawGate(theme);
    for (int y = 0; y < kGateHeight; y += 24)
        for (int x = 0; x < kGateWidth; x += 24)
            SaveKeyedTile(context, gate.Crop(x, y, 24, 24), LevelFile::kTileBase,
                          theme.number * 100 + kGateFirstTile + (y / 24) * 2 + x / 24);
    if (theme.water)
        for (int k : {kWaterSurfaceTile, kWaterSurfaceTile + 1})
            SaveKeyedTile(context, DrawWater(theme, k == kWaterSurfaceTile), LevelFile::kTileBase,
                          theme.number * 100 + k);
    SaveKeyedTile(context, DrawStair(theme), LevelFile::kStairBase, theme.number * 10);
    for (int frame = 0; frame < 2; ++frame)
        SaveKeyedTile(context, DrawTorchFrame(theme, frame), LevelFile::kAnimatedTileBase, theme.number * 10 + frame);
}

void SaveBackgrounds(ContentContext& context, const StageTheme& theme) {
    for (int layer = 0; layer < theme.layers; ++layer)
        DrawStageBackground(theme, layer)
            .Save(context, LevelFile::PictureFileName(LevelFile::kBackgroundBase, theme.number * 10 + layer));
}

void GenerateStageArt(ContentContext& context) {
    std::vector<StageTheme> themes;
    std::string error;
    if (!ReadStageThemes(context.Source("stages/themes.txt"), themes, error)) {
        context.Fail("stages/themes.txt: " + error);
        return;
    }
    for (const StageTheme& theme : themes) {
        SaveTiles(context, theme);
        SaveBackgrounds(context, theme);
    }
}

}  // namespace

bool ReadStageThemes(const std::string& path, std::vector<StageTheme>& themes, std::string& error) {
    std::vector<RecipeLine> lines;
    if (!ReadRecipe(path, lines)) {
        error = "cannot be read";
        return false;
    }
    for (const RecipeLine& line : lines) {
        double number = 0;
        if (line.words[0] == "stage") {
            if (line.words.size() != 3 || !ParseNumber(line.words[2], 1, 25, number))
                return RefuseLine(error, line.number, "stage takes a level name and a number from 1 to 25");
            themes.push_back(StageTheme());
            themes.back().level = line.words[1];
            themes.back().number = int(number);
            continue;
        }
        if (themes.empty()) return RefuseLine(error, line.number, "settings come after a stage line");
        if (!ThemeLine(line, themes.back(), error)) return false;
    }
    return true;
}

DUSKHOLD_GENERATOR("stage-art", GenerateStageArt);
