#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The parts of a map of the Tiled editor that a level can become, read from
// and written to its two file formats (.tmx, XML; .tmj, JSON). What a level
// cannot use is either refused while reading (with the element named) or
// left out of this model.
namespace TiledMap {

// A custom property; the value as text ("true", "12", "0.5", "a b").
struct Property {
    std::string name;
    std::string type = "string";  // string, int, float or bool
    std::string value;
};
using Properties = std::vector<Property>;

// Tiled keeps the flip bits in the top of a cell's global tile id.
constexpr uint32_t kFlipBits = 0xF0000000u;

struct Tile {
    int id = 0;
    std::string image;  // empty: a tile without a picture
    Properties properties;
};

// A tileset of separate images.
struct Tileset {
    uint32_t firstGid = 1;
    std::string name;
    Properties properties;
    std::vector<Tile> tiles;
};

struct Object {
    std::string type;
    bool point = false;
    double x = 0, y = 0, width = 0, height = 0;
    Properties properties;
};

struct Layer {
    enum class Kind { Tiles, Image, Objects };
    Kind kind = Kind::Tiles;
    std::string name;
    Properties properties;
    int width = 0, height = 0;    // tile layers
    std::vector<uint32_t> cells;  // tile layers, row by row: global tile ids, 0 empty
    std::string image;            // image layers
    std::string transparent;      // image layers: "rrggbb" or empty
    double offsetX = 0, offsetY = 0;
    double parallaxX = 1, parallaxY = 1;
    bool repeatX = false;
    std::vector<Object> objects;  // object layers
};

struct Map {
    int width = 0, height = 0;
    int tileWidth = 24, tileHeight = 24;
    // The point of the view where a layer with any parallax factor lies at
    // its offset (written only; levels need not read it back).
    int parallaxOriginX = 0, parallaxOriginY = 0;
    Properties properties;
    std::vector<Tileset> tilesets;
    std::vector<Layer> layers;
};

enum class Format { Tmx, Tmj };

// A map is refused before it is built whole when it holds more elements
// (.tmx) or values (.tmj) than this, or when its JSON nests deeper than
// kMaxNesting: the largest level's map holds about 45,000 and nests 7 deep.
// Memory then follows what a level can hold, not the size of the file.
constexpr size_t kMaxMapParts = size_t(1) << 18;
constexpr int kMaxNesting = 64;

// The format a file name asks for, false for neither ".tmx" nor ".tmj".
bool FormatOfPath(const std::string& path, Format& format);

// False with a message naming the element for text that is no map of the
// kind above (group layers, infinite maps, external tilesets, zstd data...).
bool ReadTmx(const std::string& text, Map& map, std::string& error);
bool ReadTmj(const std::string& text, Map& map, std::string& error);
bool ReadMap(const std::string& text, Format format, Map& map, std::string& error);
std::string WriteTmx(const Map& map);
std::string WriteTmj(const Map& map);
std::string WriteMap(const Map& map, Format format);

// Tile layer data as Tiled stores it: "csv", or "base64" with compression
// "", "zlib" or "gzip" (all members of a gzip stream). `expected` cells, or
// false with the reason; reading stops as soon as the data holds more.
bool DecodeCells(std::string_view text, const std::string& encoding, const std::string& compression, size_t expected,
                 std::vector<uint32_t>& cells, std::string& error);

// False with "12 cells where the layer has 10" ("more than 10" for a count
// that reading stopped at one past the layer's).
bool CellCountFits(size_t cells, size_t expected, std::string& error);

// Whether a tile layer's size is one a level grid can have (1 to 100 cells
// each way); false names the layer.
bool LayerSizeFits(const Layer& layer, std::string& error);

const Property* FindProperty(const Properties& properties, const std::string& name);

}  // namespace TiledMap
