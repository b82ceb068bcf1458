// A map of the Tiled editor as the level source it stands for. What the
// game cannot represent is refused with the element named; the source is
// then compiled by the level source compiler, which checks the rest.
#include "base/SharedConstants.h"
#include "levelsource/LevelSource.h"
#include "tiledmap/LevelMap.h"
#include "world/PlayRules.h"
#include "things/ThingPlacement.h"
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <strings.h>

namespace LevelMap {
using namespace LevelFile;
using namespace TiledMap;

namespace {

// Gives a reason and makes the caller's result false.
struct Refusal {
    std::string reason;
};

bool WholeNumber(const std::string& text, int64_t& value) {
    if (text == "true" || text == "false") {
        value = text == "true";
        return true;
    }
    errno = 0;
    char* end = nullptr;
    value = strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && errno == 0;
}

// The value of an integer property, or `fallback` when the owner lacks it.
int64_t IntOf(const Properties& properties, const std::string& name, int64_t low, int64_t high, int64_t fallback,
              const std::string& owner) {
    const Property* property = FindProperty(properties, name);
    if (!property) return fallback;
    int64_t value = 0;
    if (!WholeNumber(property->value, value) || value < low || value > high)
        throw Refusal{"property '" + name + "' of " + owner + " is not a whole number from " + std::to_string(low) +
                      " to " + std::to_string(high)};
    return value;
}

// A position in pixels as tenths of a pixel.
int64_t Tenths(double pixels, const std::string& owner) {
    double tenths = std::round(pixels * 10.0);
    if (!(std::fabs(tenths) <= double(INT32_MAX))) throw Refusal{owner + " lies too far out"};
    return int64_t(tenths);
}

// The number in a picture file name made by PictureFileName(base, ...),
// whatever folders lead to it.
int PictureNumber(const std::string& path, const char* base, int low, int high, const std::string& owner) {
    std::string name = path.substr(path.find_last_of("/\\") + 1);
    std::string stem = std::string(base).substr(std::string(base).find('\\') + 1);
    std::string digits = name.size() > stem.size() + 4 ? name.substr(stem.size(), name.size() - stem.size() - 4) : "";
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size() - 1));
    int64_t number = 0;
    bool ok = WholeNumber(digits, number) && number >= low && number <= high;
    if (ok) {
        std::string expected = PictureFileName(base, int(number));
        ok = expected.substr(expected.find('\\') + 1) == name;
    }
    if (!ok)
        throw Refusal{owner + " shows '" + path + "', which is no " + stem + "NNNN.png picture numbered " +
                      std::to_string(low) + " to " + std::to_string(high)};
    return int(number);
}

std::string ThingKindNames() {
    std::string names = "the things";
    for (const ThingKind* kind : ThingKinds()) names += std::string(" ") + kind->name;
    return names;
}

std::string TileOwner(const Tileset& tileset, int id) {
    return "tile " + std::to_string(id) + " of tileset '" + tileset.name + "'";
}

class SourceBuilder {
public:
    explicit SourceBuilder(const Map& map) : map_(map) {}

    std::string Build() {
        if (map_.tileWidth != kTileSize || map_.tileHeight != kTileSize)
            throw Refusal{"the map's tiles are " + std::to_string(map_.tileWidth) + " by " +
                          std::to_string(map_.tileHeight) + "; the game's are 24 by 24"};
        const Property* more = FindProperty(map_.properties, "more");
        const std::string lines = WithMarkerLines(more ? more->value : "");
        if (!lines.empty()) out_ << lines << '\n';
        for (const Tileset& tileset : map_.tilesets) {
            if (tileset.name == "pictures") pictures_ = &tileset;
            else if (tileset.name == "definitions") definitions_ = &tileset;
            else throw Refusal{"tileset '" + tileset.name + "': the game has the tilesets pictures and definitions"};
        }
        Pictures();
        Definitions();
        Layers();
        return out_.str();
    }

private:
    // The play line the map's "play ..." properties stand for, the missing
    // fields at their defaults; empty when it has none.
    std::string PlayLine() {
        std::string line;
        for (const Property& property : map_.properties) {
            if (property.name.rfind(kPlayPropertyPrefix, 0) != 0) continue;
            const std::string key = property.name.substr(std::string(kPlayPropertyPrefix).size());
            const auto& fields = PlayFields();
            auto field = std::find_if(fields.begin(), fields.end(), [&](const PlayField& f) { return key == f.key; });
            if (field == fields.end())
                throw Refusal{"map property '" + property.name + "': the play fields are jump, hearts, lives and whip"};
            line += " " + key + "=" +
                    std::to_string(IntOf(map_.properties, property.name, field->lowest, field->highest, 0, "the map"));
        }
        return line.empty() ? "" : LevelSource::kPlayLine + line;
    }

    // "more" with the play line and the thing lines where their placeholders
    // stand, or after its lines when they have none (a play property or a
    // thing object the stage maker added). A placeholder left without its
    // line becomes an empty line, so that errors keep their line numbers.
    std::string WithMarkerLines(const std::string& more) {
        const std::string play = PlayLine();
        const std::vector<std::string> things = ThingLines();
        auto nextThing = things.begin();
        std::istringstream lines(more);
        std::string out;
        bool placed = false;
        for (std::string line; std::getline(lines, line);) {
            if (!placed && line == LevelSource::kPlayLine) {
                line = play;
                placed = true;
            } else if (line == LevelSource::kThingLine) {
                line = nextThing == things.end() ? "" : *nextThing++;
            }
            out += line + "\n";
        }
        if (!placed && !play.empty()) out += play + "\n";
        for (; nextThing != things.end(); ++nextThing) out += *nextThing + "\n";
        return out;
    }

    // The thing lines of the objects of every object layer, in order.
    std::vector<std::string> ThingLines() {
        std::vector<std::string> lines;
        for (const Layer& layer : map_.layers) {
            int index = 0;
            for (const Object& object : layer.objects) {
                if (const ThingKind* kind = FindThingKind(object.type))
                    lines.push_back(ThingLine(object, *kind, ObjectOwner(index, layer)));
                ++index;
            }
        }
        return lines;
    }

    // A thing at the whole pixel nearest its point, its other fields from
    // its int properties (x and y come first in every kind).
    static std::string ThingLine(const Object& object, const ThingKind& kind, const std::string& owner) {
        if (!object.point)
            throw Refusal{owner + " is a " + kind.name + " but no point: a thing is the point at its bottom middle"};
        for (const Property& property : object.properties)
            if (!FindField(kind, property.name))
                throw Refusal{owner + " has the property '" + property.name + "'; a " + kind.name + " has " +
                              FieldNames(kind)};
        std::string line = std::string(LevelSource::kThingLine) + " " + kind.name;
        const double place[2] = {object.x, object.y};
        for (size_t i = 0; i < kind.fields.size(); ++i) {
            const MarkerField& field = kind.fields[i];
            const int64_t value =
                i < 2 ? Pixel(place[i], field, owner)
                      : IntOf(object.properties, field.key, field.lowest, field.highest, field.fallback, owner);
            line += " " + std::string(field.key) + "=" + std::to_string(value);
        }
        return line;
    }

    // A field set by a property: not x or y, which are the point's.
    static const MarkerField* FindField(const ThingKind& kind, const std::string& name) {
        for (size_t i = 2; i < kind.fields.size(); ++i)
            if (name == kind.fields[i].key) return &kind.fields[i];
        return nullptr;
    }

    static std::string FieldNames(const ThingKind& kind) {
        std::string names = kind.fields.size() > 2 ? "" : "none";
        for (size_t i = 2; i < kind.fields.size(); ++i) names += (i > 2 ? ", " : "") + std::string(kind.fields[i].key);
        return names;
    }

    static int64_t Pixel(double pixels, const MarkerField& field, const std::string& owner) {
        const double rounded = std::round(pixels);
        if (!(rounded >= field.lowest && rounded <= field.highest)) {
            std::ostringstream reason;
            reason << owner << " lies at " << field.key << "=" << pixels << ", outside " << field.lowest << " to "
                   << field.highest;
            throw Refusal{reason.str()};
        }
        return int64_t(rounded);
    }

    static std::string ObjectOwner(int index, const Layer& layer) {
        return "object " + std::to_string(index) + " of layer '" + layer.name + "'";
    }

    // The entries of a tileset: its "count", else up to its last tile.
    size_t CountOf(const Tileset& tileset, size_t limit) {
        int64_t last = -1;
        for (const Tile& tile : tileset.tiles) last = std::max<int64_t>(last, tile.id);
        int64_t count =
            IntOf(tileset.properties, "count", 0, int64_t(limit), last + 1, "tileset '" + tileset.name + "'");
        if (count > int64_t(limit))
            throw Refusal{"tileset '" + tileset.name + "' has more than " + std::to_string(limit) + " tiles"};
        return size_t(count);
    }

    static const Tile* FindTile(const Tileset& tileset, int id) {
        for (const Tile& tile : tileset.tiles)
            if (tile.id == id) return &tile;
        return nullptr;
    }

    void Pictures() {
        if (!pictures_) return;
        out_ << "tiles";
        for (size_t i = 0, count = CountOf(*pictures_, kMaxTilePictures); i < count; ++i) {
            const Tile* tile = FindTile(*pictures_, int(i));
            std::string owner = TileOwner(*pictures_, int(i));
            if (!tile || tile->image.empty()) throw Refusal{owner + " has no picture"};
            pictureNumbers_.push_back(PictureNumber(tile->image, kTileBase, INT16_MIN, INT16_MAX, owner));
            out_ << ' ' << pictureNumbers_.back();
        }
        out_ << '\n';
    }

    // A definition's picture: its "picture", else the first entry of the
    // pictures with the file its image shows, else none (-1).
    int64_t DefinitionPicture(const Tile& tile, const std::string& owner) {
        int64_t fallback = -1;
        if (!tile.image.empty()) {
            int number = PictureNumber(tile.image, kTileBase, INT16_MIN, INT16_MAX, owner);
            auto found = std::find(pictureNumbers_.begin(), pictureNumbers_.end(), number);
            if (found == pictureNumbers_.end())
                throw Refusal{owner + " shows '" + tile.image + "', which the tileset pictures lacks"};
            fallback = found - pictureNumbers_.begin();
        }
        return IntOf(tile.properties, "picture", INT32_MIN, INT32_MAX, fallback, owner);
    }

    void Definitions() {
        if (!definitions_) return;
        for (size_t i = 0, count = CountOf(*definitions_, kMaxTileDefinitions); i < count; ++i) {
            const Tile* found = FindTile(*definitions_, int(i));
            Tile tile = found ? *found : Tile{int(i), "", {}};
            std::string owner = TileOwner(*definitions_, int(i));
            out_ << "tile " << DefinitionPicture(tile, owner) << ' '
                 << IntOf(tile.properties, "ledge", 0, 255, 0, owner) << ' '
                 << IntOf(tile.properties, "solid", 0, 255, 0, owner) << ' '
                 << IntOf(tile.properties, "extra", INT32_MIN, INT32_MAX, 0, owner) << '\n';
        }
    }

    void Layers() {
        int nextGrid = 0;
        for (const Layer& layer : map_.layers) {
            if (layer.kind == Layer::Kind::Image) {
                if (nextGrid > 0) throw Refusal{"image layer '" + layer.name + "' lies above a tile layer"};
                Background(layer);
            } else if (layer.kind == Layer::Kind::Tiles) {
                while (nextGrid < 3 && layer.name != kGridNames[nextGrid]) ++nextGrid;
                if (nextGrid == 3)
                    throw Refusal{"tile layer '" + layer.name +
                                  "': the game has the tile layers back, middle and main, once each and in "
                                  "that order from the bottom"};
                Grid(layer, kGridNames[nextGrid++]);
            } else {
                Objects(layer);
            }
        }
        if (backgrounds_ > 255) throw Refusal{"more than 255 image layers"};
        if (!bounds_.empty()) out_ << bounds_;
    }

    int64_t Divisor(double parallax, const std::string& owner) {
        if (parallax == 0) return 0;
        double divisor = std::round(1.0 / parallax);
        if (!(std::fabs(divisor) <= INT16_MAX) || divisor == 0)
            throw Refusal{owner + " has a parallax factor that is not 1/N for a whole N up to 32767"};
        return int64_t(divisor);
    }

    int64_t Offset(double pixels, const Properties& properties, const char* name, const std::string& owner) {
        if (!(std::fabs(pixels) <= double(INT32_MAX)) || pixels != std::round(pixels))
            throw Refusal{owner + " lies at a position that is not a whole pixel"};
        return IntOf(properties, name, INT32_MIN, INT32_MAX, int64_t(pixels), owner);
    }

    int64_t KeySelector(const Layer& layer, const std::string& owner) {
        int64_t fallback = 3;  // no colour: the key of the layer before
        for (int key = 0; key < 3 && !layer.transparent.empty(); ++key)
            if (strcasecmp(layer.transparent.c_str(), kKeyColors[key]) == 0) fallback = key;
        if (!layer.transparent.empty() && fallback == 3 && !FindProperty(layer.properties, "key"))
            throw Refusal{owner + " has the transparent colour #" + layer.transparent +
                          "; the game keys black, white or yellow"};
        return IntOf(layer.properties, "key", 0, 255, fallback, owner);
    }

    void Background(const Layer& layer) {
        std::string owner = "image layer '" + layer.name + "'";
        ++backgrounds_;
        for (const char* size : {"width", "height"})
            if (!FindProperty(layer.properties, size))
                throw Refusal{owner + " needs the int properties width and height: the part of its picture shown"};
        out_ << "background " << Offset(layer.offsetX, layer.properties, "x", owner) << ' '
             << Offset(layer.offsetY, layer.properties, "y", owner) << ' ' << Divisor(layer.parallaxX, owner) << ' '
             << Divisor(layer.parallaxY, owner) << ' ' << PictureNumber(layer.image, kBackgroundBase, 0, 255, owner)
             << ' ' << KeySelector(layer, owner) << ' '
             << IntOf(layer.properties, "width", INT16_MIN, INT16_MAX, 0, owner) << ' '
             << IntOf(layer.properties, "height", INT16_MIN, INT16_MAX, 0, owner) << ' '
             << IntOf(layer.properties, "extra", INT16_MIN, INT16_MAX, 0, owner) << '\n';
    }

    // The value of a cell in the tileset its layer takes, or -1 for none.
    int CellValue(uint32_t gid, const Tileset* wanted, const std::string& owner) {
        if (gid == 0) return -1;
        if (gid & kFlipBits) throw Refusal{owner + " has a flipped or turned tile"};
        const Tileset* holder = nullptr;
        for (const Tileset& tileset : map_.tilesets)
            if (tileset.firstGid <= gid && (!holder || tileset.firstGid > holder->firstGid)) holder = &tileset;
        if (!holder || holder != wanted)
            throw Refusal{owner + " holds a tile of tileset '" + (holder ? holder->name : "?") + "'; it takes " +
                          (wanted == definitions_ ? "definitions" : "pictures")};
        if (gid - holder->firstGid > 255) throw Refusal{owner + " holds a tile numbered past 255"};
        return int(gid - holder->firstGid);
    }

    void Grid(const Layer& layer, const std::string& name) {
        const Tileset* wanted = name == "main" ? definitions_ : pictures_;
        out_ << "grid " << name << ' ' << layer.width - 1 << ' ' << layer.height - 1 << '\n';
        for (const char* field : {"unused", "tail"})
            if (const Property* property = FindProperty(layer.properties, field))
                out_ << field << ' ' << property->value << '\n';
        out_ << "hex\n";
        for (int row = 0; row < layer.height; ++row) {
            out_ << '|';
            for (int column = 0; column < layer.width; ++column) {
                std::string owner =
                    "tile layer '" + name + "' at column " + std::to_string(column) + ", row " + std::to_string(row);
                int value = CellValue(layer.cells[size_t(row * layer.width + column)], wanted, owner);
                char cell[3] = {'.', '.', 0};
                if (value >= 0) snprintf(cell, sizeof cell, "%02x", value);
                out_ << cell;
            }
            out_ << '\n';
        }
        out_ << "end\n";
    }

    void Objects(const Layer& layer) {
        int index = 0;
        for (const Object& object : layer.objects) {
            std::string owner = ObjectOwner(index++, layer);
            const Properties& p = object.properties;
            if (object.type == "start") {
                out_ << "start " << IntOf(p, "x", INT32_MIN, INT32_MAX, Tenths(object.x, owner), owner) << ' '
                     << IntOf(p, "y", INT32_MIN, INT32_MAX, Tenths(object.y, owner), owner) << ' '
                     << IntOf(p, "a", 0, 255, 0, owner) << ' ' << IntOf(p, "b", 0, 255, 0, owner) << '\n';
            } else if (object.type == "bounds") {
                if (!bounds_.empty()) throw Refusal{owner + " is a second bounds"};
                int64_t left = Tenths(object.x, owner), top = Tenths(object.y, owner);
                std::ostringstream line;
                line << "bounds " << IntOf(p, "left", INT32_MIN, INT32_MAX, left, owner) << ' '
                     << IntOf(p, "top", INT32_MIN, INT32_MAX, top, owner) << ' '
                     << IntOf(p, "right", INT32_MIN, INT32_MAX, left + Tenths(object.width, owner), owner) << ' '
                     << IntOf(p, "bottom", INT32_MIN, INT32_MAX, top + Tenths(object.height, owner), owner) << '\n';
                bounds_ = line.str();
            } else if (!FindThingKind(object.type)) {
                throw Refusal{owner + " has the type '" + object.type + "'; the game knows start, bounds and " +
                              ThingKindNames()};
            }
        }
    }

    const Map& map_;
    std::ostringstream out_;
    const Tileset* pictures_ = nullptr;
    const Tileset* definitions_ = nullptr;
    std::vector<int> pictureNumbers_;
    int backgrounds_ = 0;
    std::string bounds_;
};

}  // namespace

bool SourceOfMap(const Map& map, std::string& source, std::string& error) {
    try {
        source = SourceBuilder(map).Build();
        return true;
    } catch (const Refusal& refusal) {
        error = refusal.reason;
        return false;
    }
}

}  // namespace LevelMap
