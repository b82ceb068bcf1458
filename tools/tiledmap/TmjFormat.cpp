// The JSON form of a map (.tmj), read and written with nlohmann's JSON.
#include "tiledmap/TiledMap.h"
#include <climits>
#include <nlohmann/json.hpp>

namespace TiledMap {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

// A whole number that fits, or a refusal naming the field: a JSON number of
// any size must not reach a narrowing conversion.
struct Refusal {
    std::string reason;
};

int64_t WholeNumber(const Json& value, const char* field, int64_t low, int64_t high) {
    if (value.is_number_integer() || value.is_number_unsigned()) {
        int64_t number = value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(INT64_MAX)
                             ? INT64_MAX
                             : value.get<int64_t>();
        if (number >= low && number <= high) return number;
    }
    throw Refusal{std::string(field) + " is not a whole number from " + std::to_string(low) + " to " +
                  std::to_string(high)};
}

int IntField(const Json& node, const char* field) {
    return int(WholeNumber(node.at(field), field, INT32_MIN, INT32_MAX));
}

std::string Text(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
    return value.dump();
}

// A member by reference, or `fallback` when the node lacks it: a copy would
// cost as much as the member holds.
const Json& Member(const Json& node, const char* key, const Json& fallback) {
    auto found = node.find(key);
    return found == node.end() ? fallback : *found;
}

const Json& List(const Json& node, const char* key) {
    static const Json empty = Json::array();
    return Member(node, key, empty);
}

std::string Named(const char* what, const Json& node) {
    static const Json unnamed = "";
    return std::string(what) + " '" + Text(Member(node, "name", unnamed)) + "'";
}

// The parsed text, refused as soon as it nests deeper or holds more values
// than a level's map can, before the whole tree is built.
Json ParseBounded(const std::string& text) {
    size_t values = 0;
    auto bound = [&values](int depth, Json::parse_event_t event, Json&) {
        if (depth > kMaxNesting) throw Refusal{"nested more than " + std::to_string(kMaxNesting) + " deep"};
        if (event != Json::parse_event_t::key && ++values > kMaxMapParts)
            throw Refusal{"more than " + std::to_string(kMaxMapParts) + " values, more than a level's map holds"};
        return true;
    };
    return Json::parse(text, bound, false);
}

Properties ReadProperties(const Json& owner) {
    Properties properties;
    for (const Json& node : List(owner, "properties"))
        properties.push_back(
            {node.at("name").get<std::string>(), node.value("type", "string"), Text(node.at("value"))});
    return properties;
}

bool ReadTileset(const Json& node, Map& map, std::string& error) {
    if (node.contains("source"))
        return (error = "tileset '" + Text(node["source"]) + "' is a file of its own; embed it in the map"), false;
    if (node.contains("image"))
        return (error = Named("tileset", node) + " cuts one picture into tiles; use a collection of images"), false;
    Tileset tileset;
    tileset.firstGid = uint32_t(WholeNumber(node.at("firstgid"), "firstgid", 0, UINT32_MAX));
    tileset.name = node.value("name", "");
    tileset.properties = ReadProperties(node);
    const Json& tiles = List(node, "tiles");
    const size_t declared = node.contains("tilecount")
                                ? size_t(WholeNumber(node.at("tilecount"), "tilecount", 0, INT32_MAX))
                                : tiles.size();
    if (tiles.size() > declared)
        return (error = Named("tileset", node) + " has more tiles than its tilecount " + std::to_string(declared)),
               false;
    for (const Json& tile : tiles)
        tileset.tiles.push_back({IntField(tile, "id"), tile.value("image", ""), ReadProperties(tile)});
    map.tilesets.push_back(tileset);
    return true;
}

bool ReadTileLayer(const Json& node, Layer& layer, std::string& error) {
    layer.width = IntField(node, "width");
    layer.height = IntField(node, "height");
    if (!LayerSizeFits(layer, error)) return false;
    size_t expected = size_t(std::max(layer.width, 0)) * size_t(std::max(layer.height, 0));
    const Json& data = node.at("data");
    std::string reason;
    if (data.is_array()) {
        if (CellCountFits(data.size(), expected, reason)) {
            for (const Json& cell : data) layer.cells.push_back(uint32_t(WholeNumber(cell, "a cell", 0, UINT32_MAX)));
            return true;
        }
    } else if (DecodeCells(data.get_ref<const std::string&>(), node.value("encoding", ""),
                           node.value("compression", ""), expected, layer.cells, reason)) {
        return true;
    }
    return (error = Named("tile layer", node) + ": " + reason), false;
}

void ReadObjects(const Json& node, Layer& layer) {
    for (const Json& object : List(node, "objects")) {
        Object o;
        o.type = object.value("type", object.value("class", ""));
        o.point = object.value("point", false);
        o.x = object.value("x", 0.0);
        o.y = object.value("y", 0.0);
        o.width = object.value("width", 0.0);
        o.height = object.value("height", 0.0);
        o.properties = ReadProperties(object);
        layer.objects.push_back(o);
    }
}

bool ReadLayer(const Json& node, Map& map, std::string& error) {
    std::string kind = node.at("type").get<std::string>();
    Layer layer;
    layer.name = node.value("name", "");
    layer.properties = ReadProperties(node);
    layer.offsetX = node.value("offsetx", 0.0);
    layer.offsetY = node.value("offsety", 0.0);
    layer.parallaxX = node.value("parallaxx", 1.0);
    layer.parallaxY = node.value("parallaxy", 1.0);
    if (kind == "tilelayer") {
        if (!ReadTileLayer(node, layer, error)) return false;
    } else if (kind == "imagelayer") {
        layer.kind = Layer::Kind::Image;
        layer.image = node.value("image", "");
        layer.transparent = node.value("transparentcolor", "");
        if (!layer.transparent.empty() && layer.transparent[0] == '#') layer.transparent.erase(0, 1);
        layer.repeatX = node.value("repeatx", false);
    } else if (kind == "objectgroup") {
        layer.kind = Layer::Kind::Objects;
        ReadObjects(node, layer);
    } else {
        return (error = Named(kind.c_str(), node) + ": the game has no such layer"), false;
    }
    map.layers.push_back(layer);
    return true;
}

OrderedJson PropertiesJson(const Properties& properties) {
    OrderedJson list = OrderedJson::array();
    for (const Property& property : properties) {
        OrderedJson value = property.value;
        if (property.type == "bool") value = property.value == "true";
        else if (property.type == "int") value = std::stoll(property.value);
        else if (property.type == "float") value = std::stod(property.value);
        list.push_back({{"name", property.name}, {"type", property.type}, {"value", value}});
    }
    return list;
}

void PutProperties(OrderedJson& owner, const Properties& properties) {
    if (!properties.empty()) owner["properties"] = PropertiesJson(properties);
}

OrderedJson TilesetJson(const Tileset& tileset) {
    OrderedJson node = {
        {"firstgid", tileset.firstGid},      {"name", tileset.name}, {"tilewidth", 24}, {"tileheight", 24},
        {"tilecount", tileset.tiles.size()}, {"columns", 0}};
    PutProperties(node, tileset.properties);
    OrderedJson tiles = OrderedJson::array();
    for (const Tile& tile : tileset.tiles) {
        OrderedJson element = {{"id", tile.id}};
        if (!tile.image.empty()) element["image"] = tile.image;
        PutProperties(element, tile.properties);
        tiles.push_back(element);
    }
    node["tiles"] = tiles;
    return node;
}

OrderedJson LayerJson(const Layer& layer, int id) {
    const char* kinds[] = {"tilelayer", "imagelayer", "objectgroup"};
    OrderedJson node = {{"id", id},     {"name", layer.name}, {"type", kinds[int(layer.kind)]},
                        {"opacity", 1}, {"visible", true},    {"x", 0},
                        {"y", 0}};
    if (layer.offsetX != 0 || layer.offsetY != 0) {
        node["offsetx"] = layer.offsetX;
        node["offsety"] = layer.offsetY;
    }
    if (layer.parallaxX != 1) node["parallaxx"] = layer.parallaxX;
    if (layer.parallaxY != 1) node["parallaxy"] = layer.parallaxY;
    PutProperties(node, layer.properties);
    if (layer.kind == Layer::Kind::Tiles) {
        node["width"] = layer.width;
        node["height"] = layer.height;
        node["data"] = layer.cells;
    } else if (layer.kind == Layer::Kind::Image) {
        node["image"] = layer.image;
        if (!layer.transparent.empty()) node["transparentcolor"] = "#" + layer.transparent;
        if (layer.repeatX) node["repeatx"] = true;
    } else {
        OrderedJson objects = OrderedJson::array();
        int objectId = 1;
        for (const Object& o : layer.objects) {
            OrderedJson object = {{"id", objectId++}, {"type", o.type},   {"x", o.x},
                                  {"y", o.y},         {"width", o.width}, {"height", o.height}};
            if (o.point) object["point"] = true;
            PutProperties(object, o.properties);
            objects.push_back(object);
        }
        node["draworder"] = "topdown";
        node["objects"] = objects;
    }
    return node;
}

}  // namespace

bool ReadTmj(const std::string& text, Map& map, std::string& error) {
    if (text.empty()) return (error = "the file is empty"), false;
    try {
        const Json root = ParseBounded(text);
        if (root.is_discarded()) return (error = "not JSON"), false;
        std::string orientation = root.at("orientation").get<std::string>();
        if (orientation != "orthogonal") return (error = "the map is " + orientation + ", not orthogonal"), false;
        if (root.value("infinite", false)) return (error = "the map is infinite"), false;
        map.width = IntField(root, "width");
        map.height = IntField(root, "height");
        map.tileWidth = IntField(root, "tilewidth");
        map.tileHeight = IntField(root, "tileheight");
        map.properties = ReadProperties(root);
        for (const Json& tileset : List(root, "tilesets"))
            if (!ReadTileset(tileset, map, error)) return false;
        for (const Json& layer : List(root, "layers"))
            if (!ReadLayer(layer, map, error)) return false;
    } catch (const Json::exception& problem) {
        return (error = std::string("not a map: ") + problem.what()), false;
    } catch (const Refusal& refusal) {
        return (error = refusal.reason), false;
    }
    return true;
}

std::string WriteTmj(const Map& map) {
    OrderedJson root = {{"type", "map"},
                        {"version", "1.8"},
                        {"orientation", "orthogonal"},
                        {"renderorder", "right-down"},
                        {"width", map.width},
                        {"height", map.height},
                        {"tilewidth", map.tileWidth},
                        {"tileheight", map.tileHeight},
                        {"infinite", false},
                        {"parallaxoriginx", map.parallaxOriginX},
                        {"parallaxoriginy", map.parallaxOriginY},
                        {"nextlayerid", map.layers.size() + 1},
                        {"nextobjectid", 1}};
    PutProperties(root, map.properties);
    OrderedJson tilesets = OrderedJson::array();
    for (const Tileset& tileset : map.tilesets) tilesets.push_back(TilesetJson(tileset));
    root["tilesets"] = tilesets;
    OrderedJson layers = OrderedJson::array();
    for (size_t i = 0; i < map.layers.size(); ++i) layers.push_back(LayerJson(map.layers[i], int(i) + 1));
    root["layers"] = layers;
    return root.dump(1) + "\n";
}

}  // namespace TiledMap
