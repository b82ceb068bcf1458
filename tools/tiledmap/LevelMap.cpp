#include "tiledmap/LevelMap.h"
#include "base/SharedConstants.h"
#include "levelsource/LevelSource.h"
#include "platform/Files.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace LevelMap {
using namespace LevelFile;
using namespace TiledMap;

const char* const kGridNames[3] = {"back", "middle", "main"};
const char* const kKeyColors[3] = {"000000", "ffffff", "ffff00"};
const char* const kPlayPropertyPrefix = "play ";

namespace {

const char* const kPictureSet = "pictures";
const char* const kDefinitionSet = "definitions";
const char* const kObjectLayer = "objects";
// Level source lines with no place of their own in a map: they travel in
// the map property "more".
const std::set<std::string> kMoreLines = {"stairs", "animated", "marker", "play",    "thing",
                                          "raw",    "fields",   "count",  "trailing"};

Property IntProperty(const std::string& name, int64_t value) { return {name, "int", std::to_string(value)}; }

// A flag byte reads as a checkbox when it is 0 or 1.
Property FlagProperty(const std::string& name, uint8_t value) {
    if (value > 1) return IntProperty(name, value);
    return {name, "bool", value ? "true" : "false"};
}

// Tiled keeps six significant digits of a decimal in a .tmx file: a value
// that needs more also travels as an exact whole number.
bool NeedsExactCopy(double value) {
    char text[32];
    snprintf(text, sizeof text, "%g", value);
    return strtod(text, nullptr) != value;
}

std::string PicturePath(const std::string& pictures, const char* base, int number) {
    return pictures + HostPath(PictureFileName(base, number));
}

std::string TileImage(const std::string& pictures, const LevelData& level, int32_t picture) {
    if (picture < 0 || size_t(picture) >= level.tilePictures.items.size()) return "";
    return PicturePath(pictures, kTileBase, level.tilePictures.items[size_t(picture)]);
}

// A picture that the image of another tile cannot name: it is not the first
// one of the list with its file.
bool NeedsPictureNumber(const LevelData& level, int32_t picture) {
    const std::vector<int16_t>& list = level.tilePictures.items;
    if (picture < 0) return false;
    if (size_t(picture) >= list.size()) return true;
    return std::find(list.begin(), list.end(), list[size_t(picture)]) - list.begin() != picture;
}

int MaxCell(const CellGrid& grid) { return *std::max_element(grid.cells.begin(), grid.cells.end()); }

// A tileset of `count` entries and tiles without pictures up to the highest
// value a grid names, so that every cell has a tile.
Tileset NumberedTileset(const char* name, uint32_t firstGid, size_t count, int highestCell) {
    Tileset tileset;
    tileset.name = name;
    tileset.firstGid = firstGid;
    tileset.properties.push_back(IntProperty("count", int64_t(count)));
    for (int id = 0; id < std::max(int(count), highestCell + 1); ++id) tileset.tiles.push_back({id, "", {}});
    return tileset;
}

Tileset PictureTileset(const LevelData& level, const std::string& pictures) {
    Tileset tileset = NumberedTileset(kPictureSet, 1, level.tilePictures.items.size(),
                                      std::max(MaxCell(level.middleGrid), MaxCell(level.backGrid)));
    for (size_t i = 0; i < level.tilePictures.items.size(); ++i)
        tileset.tiles[i].image = PicturePath(pictures, kTileBase, level.tilePictures.items[i]);
    return tileset;
}

Tileset DefinitionTileset(const LevelData& level, const std::string& pictures, uint32_t firstGid) {
    const std::vector<TileDefinition>& definitions = level.tileDefinitions.items;
    Tileset tileset = NumberedTileset(kDefinitionSet, firstGid, definitions.size(), MaxCell(level.mainGrid));
    for (size_t i = 0; i < definitions.size(); ++i) {
        Tile& tile = tileset.tiles[i];
        tile.image = TileImage(pictures, level, definitions[i].picture);
        tile.properties = {FlagProperty("ledge", definitions[i].flag20), FlagProperty("solid", definitions[i].flag40)};
        if (NeedsPictureNumber(level, definitions[i].picture))
            tile.properties.push_back(IntProperty("picture", definitions[i].picture));
        if (definitions[i].unused != 0) tile.properties.push_back(IntProperty("extra", definitions[i].unused));
    }
    return tileset;
}

// The colour key each background is drawn with: its own, or the one before.
std::string KeyColor(uint8_t selector, std::string& previous) {
    if (selector <= 2) previous = kKeyColors[selector];
    return previous;
}

std::vector<Layer> BackgroundLayers(const LevelData& level, const std::string& pictures) {
    std::vector<Layer> layers;
    std::string key;
    for (const Background& b : level.backgrounds.items) {
        Layer layer;
        layer.kind = Layer::Kind::Image;
        layer.name = "background " + std::to_string(layers.size());
        layer.image = PicturePath(pictures, kBackgroundBase, b.picture);
        layer.transparent = KeyColor(b.colorKeySelector, key);
        layer.offsetX = b.x;
        layer.offsetY = b.y;
        layer.parallaxX = b.horizontalDivisor ? 1.0 / b.horizontalDivisor : 0.0;
        layer.parallaxY = b.verticalDivisor ? 1.0 / b.verticalDivisor : 0.0;
        layer.repeatX = b.horizontalDivisor != 0 && b.frameWidth > 0;
        layer.properties = {IntProperty("width", b.frameWidth), IntProperty("height", b.frameHeight)};
        if (NeedsExactCopy(b.x) || NeedsExactCopy(b.y))
            layer.properties.insert(layer.properties.end(), {IntProperty("x", b.x), IntProperty("y", b.y)});
        if (b.colorKeySelector > 2) layer.properties.push_back(IntProperty("key", b.colorKeySelector));
        if (b.unused != 0) layer.properties.push_back(IntProperty("extra", b.unused));
        layers.push_back(layer);
    }
    return layers;
}

Layer GridLayer(const char* name, const CellGrid& grid, uint32_t firstGid) {
    Layer layer;
    layer.name = name;
    layer.width = grid.Columns();
    layer.height = grid.Rows();
    for (int16_t cell : grid.cells) layer.cells.push_back(cell == kSkippedCell ? 0 : firstGid + uint32_t(cell));
    return layer;
}

// Positions in tenths become pixels; the exact tenths go along as
// properties named by `names` when a pixel value needs too many digits.
void PlaceObject(Object& object, const std::vector<std::pair<const char*, int32_t>>& tenths) {
    bool exact = false;
    for (double pixels : {object.x, object.y, object.width, object.height}) exact = exact || NeedsExactCopy(pixels);
    if (!exact) return;
    for (const auto& [name, value] : tenths) object.properties.push_back(IntProperty(name, value));
}

Layer ObjectLayer(const LevelData& level) {
    Layer layer;
    layer.kind = Layer::Kind::Objects;
    layer.name = kObjectLayer;
    for (const StartPoint& p : level.startPoints.items) {
        Object start;
        start.type = "start";
        start.point = true;
        start.x = p.x / 10.0;
        start.y = p.y / 10.0;
        PlaceObject(start, {{"x", p.x}, {"y", p.y}});
        if (p.a != 0) start.properties.push_back(IntProperty("a", p.a));
        if (p.b != 0) start.properties.push_back(IntProperty("b", p.b));
        layer.objects.push_back(start);
    }
    Object bounds;
    bounds.type = "bounds";
    bounds.x = level.boundsLeft / 10.0;
    bounds.y = level.boundsTop / 10.0;
    bounds.width = (double(level.boundsRight) - level.boundsLeft) / 10.0;
    bounds.height = (double(level.boundsBottom) - level.boundsTop) / 10.0;
    PlaceObject(bounds, {{"left", level.boundsLeft},
                         {"top", level.boundsTop},
                         {"right", level.boundsRight},
                         {"bottom", level.boundsBottom}});
    layer.objects.push_back(bounds);
    return layer;
}

// A play line's fields as int properties of the map, where a stage maker
// edits them.
void PlayProperties(const std::string& line, Map& map) {
    std::istringstream words(line.substr(line.find(' ') + 1));
    for (std::string field; words >> field;) {
        const size_t equals = field.find('=');
        map.properties.push_back({kPlayPropertyPrefix + field.substr(0, equals), "int", field.substr(equals + 1)});
    }
}

// A thing line as a point object of its kind's type, at its x and y, with
// an int property for every other field, where a stage maker sees what can
// be set.
Object ThingObject(const std::string& line) {
    std::istringstream words(line.substr(line.find(' ') + 1));
    Object thing;
    thing.point = true;
    words >> thing.type;
    for (std::string field; words >> field;) {
        const size_t equals = field.find('=');
        const std::string key = field.substr(0, equals), value = field.substr(equals + 1);
        if (key == "x") thing.x = std::stod(value);
        else if (key == "y") thing.y = std::stod(value);
        else thing.properties.push_back({key, "int", value});
    }
    return thing;
}

// The lines of a dump that a map holds nowhere else: map-wide ones go to
// the map's "more", a grid's header fields to its layer.
void CarryOtherLines(const LevelData& level, Map& map, Layer& things) {
    std::istringstream dump(LevelSource::Dump(level));
    std::string more, grid;
    bool playCarried = false;
    for (std::string line; std::getline(dump, line);) {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "grid") words >> grid;
        if (word == "end") grid.clear();
        // The first play line becomes properties and leaves a bare play line
        // in its place among the markers; a second one stays whole.
        if (word == LevelSource::kPlayLine && !playCarried) {
            PlayProperties(line, map);
            playCarried = true;
            line = LevelSource::kPlayLine;
        }
        // Each thing line becomes an object, leaving a bare thing line in its place.
        if (word == LevelSource::kThingLine) {
            things.objects.push_back(ThingObject(line));
            line = LevelSource::kThingLine;
        }
        if (grid.empty() && kMoreLines.count(word)) more += line + "\n";
        if (grid.empty() || (word != "unused" && word != "tail")) continue;
        for (Layer& layer : map.layers)
            if (layer.name == grid) layer.properties.push_back({word, "string", line.substr(word.size() + 1)});
    }
    if (!more.empty()) map.properties.push_back({"more", "string", more});
}

}  // namespace

std::string Export(const LevelData& level, Format format, const std::string& pictures) {
    Map map;
    // The game draws a background at its offset, shifted by the camera's top
    // left corner over its divisor; Tiled shifts a layer by the view's middle
    // less this origin times (1 - parallax factor): the same place.
    map.parallaxOriginX = kScreenWidth / 2;
    map.parallaxOriginY = kScreenHeight / 2;
    for (const CellGrid* grid : {&level.backGrid, &level.middleGrid, &level.mainGrid}) {
        map.width = std::max(map.width, grid->Columns());
        map.height = std::max(map.height, grid->Rows());
    }
    map.tilesets.push_back(PictureTileset(level, pictures));
    // Even an empty tileset takes up a number, so no two share a first id.
    uint32_t afterPictures = 1 + uint32_t(std::max<size_t>(map.tilesets[0].tiles.size(), 1));
    map.tilesets.push_back(DefinitionTileset(level, pictures, afterPictures));
    map.layers = BackgroundLayers(level, pictures);
    map.layers.push_back(GridLayer(kGridNames[0], level.backGrid, map.tilesets[0].firstGid));
    map.layers.push_back(GridLayer(kGridNames[1], level.middleGrid, map.tilesets[0].firstGid));
    map.layers.push_back(GridLayer(kGridNames[2], level.mainGrid, map.tilesets[1].firstGid));
    Layer objects = ObjectLayer(level);
    CarryOtherLines(level, map, objects);
    map.layers.push_back(objects);
    return WriteMap(map, format);
}

bool Import(const std::string& text, Format format, LevelData& level, std::string& error) {
    Map map;
    std::string source;
    if (!ReadMap(text, format, map, error) || !SourceOfMap(map, source, error)) return false;
    if (LevelSource::Compile(source, level, error)) return true;
    // The lines of "more" come first, so a line number up to their count is
    // theirs; any later one stands for the map's own elements.
    const Property* more = FindProperty(map.properties, "more");
    long line = strtol(error.c_str() + 5, nullptr, 10);
    size_t moreLines = more ? size_t(std::count(more->value.begin(), more->value.end(), '\n')) + 1 : 0;
    if (size_t(line) <= moreLines) error = "map property 'more': " + error;
    else error = "the map: " + error.substr(error.find(": ") + 2);
    return false;
}

}  // namespace LevelMap
