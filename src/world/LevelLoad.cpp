#include "core/EntityManager.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "player/Player.h"
#include "world/Camera.h"
#include "world/Level.h"
#include "world/LevelFile.h"
#include "world/PlayAssists.h"
#include "world/StageMarkers.h"
#include <string>

namespace LevelNamespace {

namespace {

constexpr int32_t kBackgroundGridWidth = 512;
constexpr size_t kMaxPathLength = 255;

std::array<Sprite, kAnimatedTilePictures> gAnimatedTilePictures;

template <typename Number>
std::vector<Sprite> LoadTileSprites(const char* base, const std::vector<Number>& numbers) {
    std::vector<Sprite> sprites(numbers.size());
    for (size_t i = 0; i < numbers.size(); ++i)
        sprites[i].Load(LevelFile::PictureFileName(base, numbers[i]).c_str(), Colors::White, kTileSize, kTileSize);
    return sprites;
}

// Selectors 0 to 2 choose black, white or yellow; any other keeps the key of
// the previous background of this load (none before the first choice).
// Carrying the key over is deliberate, not a missing case: the stored
// stages mark their far layers with selector 7 to share the yellow key of
// the layer before them, and with no key those layers would cover the sky
// behind them with opaque yellow.
Color BackgroundKey(uint8_t selector, Color previous) {
    switch (selector) {
    case 0: return Colors::Black;
    case 1: return Colors::White;
    case 2: return Colors::Yellow;
    default: return previous;
    }
}

std::vector<Sprite> LoadBackgroundSprites(const std::vector<LevelFile::Background>& records) {
    std::vector<Sprite> sprites(records.size());
    Color key;
    for (size_t i = 0; i < records.size(); ++i) {
        const LevelFile::Background& record = records[i];
        key = BackgroundKey(record.colorKeySelector, key);
        sprites[i].Load(LevelFile::PictureFileName(LevelFile::kBackgroundBase, record.picture).c_str(), key,
                        record.frameWidth, record.frameHeight, kBackgroundGridWidth);
    }
    return sprites;
}

// The table outlives the level: what the last level put there is released
// first, so that the pictures of every stage visited do not pile up.
void LoadAnimatedTiles(const std::vector<int16_t>& numbers) {
    ReleaseAnimatedTilePictures();
    for (size_t i = 0; i < numbers.size() && i < gAnimatedTilePictures.size(); ++i)
        gAnimatedTilePictures[i].Load(LevelFile::PictureFileName(LevelFile::kAnimatedTileBase, numbers[i]).c_str(),
                                      Colors::White, kTileSize, kTileSize);
}

// Columns 0 to columns - 1 and rows 0 to rows - 1 of a stored grid, its
// skipped cells given the grid's empty value.
Grid KeptCells(const LevelFile::CellGrid& stored, int columns, int rows, int32_t emptyValue) {
    Grid kept(size_t(columns), std::vector<int32_t>(size_t(rows), emptyValue));
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) {
            int16_t cell = stored.Cell(c, r);
            kept[size_t(c)][size_t(r)] = cell == LevelFile::kSkippedCell ? emptyValue : cell;
        }
    return kept;
}

std::vector<TileDefinition> Definitions(const std::vector<LevelFile::TileDefinition>& records) {
    std::vector<TileDefinition> definitions;
    for (const LevelFile::TileDefinition& record : records)
        definitions.push_back({record.picture, record.unused, record.flag20, record.flag40});
    return definitions;
}

std::vector<BackgroundLayer> Layers(const std::vector<LevelFile::Background>& records,
                                    const std::vector<Sprite>& sprites) {
    std::vector<BackgroundLayer> layers(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const LevelFile::Background& record = records[i];
        layers[i].x = record.x;
        layers[i].y = record.y;
        layers[i].horizontalDivisor = record.horizontalDivisor;
        layers[i].verticalDivisor = record.verticalDivisor;
        layers[i].repeatStep = record.frameWidth;
        layers[i].picture = sprites[i];
    }
    return layers;
}

// Level files keep positions in tenths of a pixel; the division truncates
// toward zero before the value becomes a float.
float Tenths(int32_t value) { return float(value / 10); }

Vector3 StartPosition(const LevelFile::LevelData& data) {
    if (data.startPoints.items.empty()) return Vector3();
    const LevelFile::StartPoint& start = data.startPoints.items[0];
    return Vector3(Tenths(start.x), Tenths(start.y), 0.0f);
}

// The stage's play marker, unless the game plays by the engine's rules
// alone; what is wrong with it goes on one status line. The assist's extra
// hearts join a full life.
std::optional<PlayRules> StagePlayRules(const LevelFile::LevelData& data) {
    std::vector<std::string> problems;
    std::optional<PlayRules> rules = FindPlayRules(data, problems);
    if (EngineRulesOnly()) return std::nullopt;
    const std::string line = ProblemLine(problems);
    if (!line.empty()) PrintStatus("Play data: %s; the defaults stand in", line.c_str());
    if (rules) rules->hearts += ThePlayAssists().extraHearts;
    return rules;
}

void PlaceHero(EntityManager* manager, const Vector3& start, const std::optional<PlayRules>& rules) {
    if (!manager) {
        PrintStatus("The level is in no entity manager: no hero is made");
        return;
    }
    auto player = std::make_unique<Player>();
    player->position = start;
    player->PlaceShapes();
    if (rules) player->StartPlay(*rules);
    manager->Add(std::move(player));
}

}  // namespace

std::array<Sprite, kAnimatedTilePictures>& AnimatedTilePictures() { return gAnimatedTilePictures; }

void ReleaseAnimatedTilePictures() {
    for (Sprite& picture : gAnimatedTilePictures) {
        picture.texture.Release();
        picture = Sprite();
    }
}

std::string LevelGamePath(const char* levelName) {
    std::string path = std::string("levels\\") + levelName;
    if (path.size() > kMaxPathLength) path.resize(kMaxPathLength);
    return path;
}

bool ReadLevelOfName(const char* levelName, LevelFile::LevelData& data, const char* whatFollows) {
    std::string reason;
    if (LevelFile::ReadLevelFile(LevelGamePath(levelName), data, reason, LevelFile::Trailing::Drop)) return true;
    TellPlayer("Level %s not loaded: %s%s", LevelGamePath(levelName).c_str(), reason.c_str(), whatFollows);
    return false;
}

void Level::Load(const char* levelName) {
    LevelFile::LevelData data;
    if (ReadLevelOfName(levelName, data)) Build(data);
}

void Level::Build(const LevelFile::LevelData& data) {
    // The pictures load in the order the file names them.
    std::vector<Sprite> tiles = LoadTileSprites(LevelFile::kTileBase, data.tilePictures.items);
    std::vector<Sprite> stairs = LoadTileSprites(LevelFile::kStairBase, data.stairPictures.items);
    std::vector<Sprite> backgroundSprites = LoadBackgroundSprites(data.backgrounds.items);
    LoadAnimatedTiles(data.animatedTiles.items);

    tileDefinitions = Definitions(data.tileDefinitions.items);
    tilePictures = tiles;
    const LevelFile::CellGrid& main = data.mainGrid;
    // The main grid keeps one column more than its header's width (the
    // other grids keep exactly their width). Deliberate: the stored stages
    // are laid out for it. Their camera bounds end at the right edge of
    // column W (blk101: W = 79, 80 columns, 1920 pixels) and that column
    // holds floor the hero stands on; keeping W columns would leave the
    // last 24 pixels of every stored stage without ground.
    mainGrid = KeptCells(main, main.width + 1, main.height, 0);
    AddTileRectangles();
    backGrid = KeptCells(data.backGrid, data.backGrid.width, data.backGrid.height, -1);
    middleGrid = KeptCells(data.middleGrid, data.middleGrid.width, data.middleGrid.height, -1);
    backgrounds = Layers(data.backgrounds.items, backgroundSprites);
    TheCamera().SetBounds(Vector3(Tenths(data.boundsLeft), Tenths(data.boundsTop), 0.0f),
                          Vector3(Tenths(data.boundsRight), Tenths(data.boundsBottom), 0.0f));
    PlaceHero(manager, StartPosition(data), StagePlayRules(data));
    // The working lists go here; the stair pictures, held by nothing else,
    // are released with them.
}

}  // namespace LevelNamespace
