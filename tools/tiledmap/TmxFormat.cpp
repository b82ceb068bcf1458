// The XML form of a map (.tmx), read and written with pugixml.
#include "tiledmap/TiledMap.h"
#include <pugixml.hpp>
#include <sstream>

namespace TiledMap {

namespace {

std::string Named(const char* what, const pugi::xml_node& node) {
    return std::string(what) + " '" + node.attribute("name").value() + "'";
}

Properties ReadProperties(const pugi::xml_node& owner) {
    Properties properties;
    for (pugi::xml_node node : owner.child("properties").children("property")) {
        Property property;
        property.name = node.attribute("name").value();
        property.type = node.attribute("type") ? node.attribute("type").value() : "string";
        // Tiled writes a value holding a line break as the element's text.
        property.value = node.attribute("value") ? node.attribute("value").value() : node.text().get();
        properties.push_back(property);
    }
    return properties;
}

// An image element with a file; Tiled writes a tile without a picture as an
// image of empty embedded data.
std::string ImageSource(const pugi::xml_node& owner) { return owner.child("image").attribute("source").value(); }

bool ReadTileset(const pugi::xml_node& node, Map& map, std::string& error) {
    if (node.attribute("source"))
        return (error = "tileset '" + std::string(node.attribute("source").value()) +
                        "' is a file of its own; embed it in the map"),
               false;
    if (node.child("image"))
        return (error = Named("tileset", node) + " cuts one picture into tiles; use a collection of images"), false;
    Tileset tileset;
    tileset.firstGid = node.attribute("firstgid").as_uint();
    tileset.name = node.attribute("name").value();
    tileset.properties = ReadProperties(node);
    const size_t declared = node.attribute("tilecount").as_ullong(UINT64_MAX);
    for (pugi::xml_node tile : node.children("tile")) {
        if (tileset.tiles.size() == declared)
            return (error = Named("tileset", node) + " has more tiles than its tilecount " + std::to_string(declared)),
                   false;
        tileset.tiles.push_back({tile.attribute("id").as_int(-1), ImageSource(tile), ReadProperties(tile)});
    }
    map.tilesets.push_back(tileset);
    return true;
}

bool ReadTileLayer(const pugi::xml_node& node, Layer& layer, std::string& error) {
    layer.width = node.attribute("width").as_int();
    layer.height = node.attribute("height").as_int();
    if (!LayerSizeFits(layer, error)) return false;
    pugi::xml_node data = node.child("data");
    size_t expected = size_t(std::max(layer.width, 0)) * size_t(std::max(layer.height, 0));
    std::string encoding = data.attribute("encoding").value();
    std::string reason;
    if (encoding.empty()) {
        for (pugi::xml_node tile = data.child("tile"); tile && layer.cells.size() <= expected;
             tile = tile.next_sibling("tile"))
            layer.cells.push_back(tile.attribute("gid").as_uint());
        if (CellCountFits(layer.cells.size(), expected, reason)) return true;
    } else if (DecodeCells(data.text().get(), encoding, data.attribute("compression").value(), expected, layer.cells,
                           reason))
        return true;
    return (error = Named("tile layer", node) + ": " + reason), false;
}

// Every start of an element, and the odd '<' in a comment: a bound on the
// nodes the tree will have, counted without building it.
size_t ElementsAtMost(const std::string& text) {
    size_t count = 0;
    for (size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
        if (at + 1 < text.size() && text[at + 1] != '/' && text[at + 1] != '!' && text[at + 1] != '?') ++count;
    return count;
}

void ReadImageLayer(const pugi::xml_node& node, Layer& layer) {
    layer.image = ImageSource(node);
    layer.transparent = node.child("image").attribute("trans").value();
    layer.repeatX = node.attribute("repeatx").as_int() != 0;
}

void ReadObjects(const pugi::xml_node& node, Layer& layer) {
    for (pugi::xml_node object : node.children("object")) {
        Object o;
        // Tiled 1.9 renamed the type attribute to class.
        o.type = object.attribute("type") ? object.attribute("type").value() : object.attribute("class").value();
        o.point = bool(object.child("point"));
        o.x = object.attribute("x").as_double();
        o.y = object.attribute("y").as_double();
        o.width = object.attribute("width").as_double();
        o.height = object.attribute("height").as_double();
        o.properties = ReadProperties(object);
        layer.objects.push_back(o);
    }
}

bool ReadLayer(const pugi::xml_node& node, Map& map, std::string& error) {
    std::string kind = node.name();
    if (kind == "group") return (error = Named("group layer", node) + ": the game has no layer groups"), false;
    Layer layer;
    layer.name = node.attribute("name").value();
    layer.properties = ReadProperties(node);
    layer.offsetX = node.attribute("offsetx").as_double();
    layer.offsetY = node.attribute("offsety").as_double();
    layer.parallaxX = node.attribute("parallaxx").as_double(1.0);
    layer.parallaxY = node.attribute("parallaxy").as_double(1.0);
    if (kind == "layer") {
        if (!ReadTileLayer(node, layer, error)) return false;
    } else if (kind == "imagelayer") {
        layer.kind = Layer::Kind::Image;
        ReadImageLayer(node, layer);
    } else {
        layer.kind = Layer::Kind::Objects;
        ReadObjects(node, layer);
    }
    map.layers.push_back(layer);
    return true;
}

void WriteProperties(pugi::xml_node owner, const Properties& properties) {
    if (properties.empty()) return;
    pugi::xml_node list = owner.append_child("properties");
    for (const Property& property : properties) {
        pugi::xml_node node = list.append_child("property");
        node.append_attribute("name") = property.name.c_str();
        if (property.type != "string") node.append_attribute("type") = property.type.c_str();
        if (property.value.find('\n') == std::string::npos) node.append_attribute("value") = property.value.c_str();
        else node.text() = property.value.c_str();
    }
}

void WriteImage(pugi::xml_node owner, const std::string& source, const std::string& transparent = "") {
    pugi::xml_node image = owner.append_child("image");
    image.append_attribute("source") = source.c_str();
    if (!transparent.empty()) image.append_attribute("trans") = transparent.c_str();
}

void WriteTileset(pugi::xml_node root, const Tileset& tileset) {
    pugi::xml_node node = root.append_child("tileset");
    node.append_attribute("firstgid") = tileset.firstGid;
    node.append_attribute("name") = tileset.name.c_str();
    node.append_attribute("tilewidth") = 24;
    node.append_attribute("tileheight") = 24;
    node.append_attribute("tilecount") = unsigned(tileset.tiles.size());
    node.append_attribute("columns") = 0;
    WriteProperties(node, tileset.properties);
    for (const Tile& tile : tileset.tiles) {
        pugi::xml_node element = node.append_child("tile");
        element.append_attribute("id") = tile.id;
        WriteProperties(element, tile.properties);
        if (!tile.image.empty()) WriteImage(element, tile.image);
    }
}

std::string Csv(const Layer& layer) {
    std::ostringstream out;
    out << '\n';
    for (size_t i = 0; i < layer.cells.size(); ++i) {
        out << layer.cells[i];
        if (i + 1 < layer.cells.size()) out << ',';
        if ((i + 1) % size_t(layer.width) == 0) out << '\n';
    }
    return out.str();
}

void WriteLayer(pugi::xml_node root, const Layer& layer, int id) {
    const char* kinds[] = {"layer", "imagelayer", "objectgroup"};
    pugi::xml_node node = root.append_child(kinds[int(layer.kind)]);
    node.append_attribute("id") = id;
    node.append_attribute("name") = layer.name.c_str();
    // Tiled 1.8 reads a layer's offset only when offsetx is there.
    if (layer.offsetX != 0 || layer.offsetY != 0) {
        node.append_attribute("offsetx") = layer.offsetX;
        node.append_attribute("offsety") = layer.offsetY;
    }
    if (layer.parallaxX != 1) node.append_attribute("parallaxx") = layer.parallaxX;
    if (layer.parallaxY != 1) node.append_attribute("parallaxy") = layer.parallaxY;
    if (layer.repeatX) node.append_attribute("repeatx") = 1;
    WriteProperties(node, layer.properties);
    if (layer.kind == Layer::Kind::Tiles) {
        node.append_attribute("width") = layer.width;
        node.append_attribute("height") = layer.height;
        pugi::xml_node data = node.append_child("data");
        data.append_attribute("encoding") = "csv";
        data.text() = Csv(layer).c_str();
    } else if (layer.kind == Layer::Kind::Image) {
        WriteImage(node, layer.image, layer.transparent);
    }
    int objectId = 1;
    for (const Object& o : layer.objects) {
        pugi::xml_node object = node.append_child("object");
        object.append_attribute("id") = objectId++;
        object.append_attribute("type") = o.type.c_str();
        object.append_attribute("x") = o.x;
        object.append_attribute("y") = o.y;
        if (!o.point) {
            object.append_attribute("width") = o.width;
            object.append_attribute("height") = o.height;
        }
        WriteProperties(object, o.properties);
        if (o.point) object.append_child("point");
    }
}

}  // namespace

bool ReadTmx(const std::string& text, Map& map, std::string& error) {
    if (text.empty()) return (error = "the file is empty"), false;
    if (ElementsAtMost(text) > kMaxMapParts)
        return (error = "more than " + std::to_string(kMaxMapParts) + " elements, more than a level's map holds"),
               false;
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) return (error = std::string("not XML: ") + parsed.description()), false;
    pugi::xml_node root = document.child("map");
    if (!root) return (error = "no map element"), false;
    std::string orientation = root.attribute("orientation").value();
    if (orientation != "orthogonal") return (error = "the map is " + orientation + ", not orthogonal"), false;
    if (root.attribute("infinite").as_int() != 0) return (error = "the map is infinite"), false;
    map.width = root.attribute("width").as_int();
    map.height = root.attribute("height").as_int();
    map.tileWidth = root.attribute("tilewidth").as_int();
    map.tileHeight = root.attribute("tileheight").as_int();
    map.properties = ReadProperties(root);
    for (pugi::xml_node node : root.children()) {
        std::string kind = node.name();
        bool ok = true;
        if (kind == "tileset") ok = ReadTileset(node, map, error);
        else if (kind == "layer" || kind == "imagelayer" || kind == "objectgroup" || kind == "group")
            ok = ReadLayer(node, map, error);
        if (!ok) return false;
    }
    return true;
}

std::string WriteTmx(const Map& map) {
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("map");
    root.append_attribute("version") = "1.8";
    root.append_attribute("orientation") = "orthogonal";
    root.append_attribute("renderorder") = "right-down";
    root.append_attribute("width") = map.width;
    root.append_attribute("height") = map.height;
    root.append_attribute("tilewidth") = map.tileWidth;
    root.append_attribute("tileheight") = map.tileHeight;
    root.append_attribute("infinite") = 0;
    root.append_attribute("parallaxoriginx") = map.parallaxOriginX;
    root.append_attribute("parallaxoriginy") = map.parallaxOriginY;
    root.append_attribute("nextlayerid") = int(map.layers.size()) + 1;
    WriteProperties(root, map.properties);
    for (const Tileset& tileset : map.tilesets) WriteTileset(root, tileset);
    for (size_t i = 0; i < map.layers.size(); ++i) WriteLayer(root, map.layers[i], int(i) + 1);
    std::ostringstream out;
    document.save(out, " ");
    return out.str();
}

}  // namespace TiledMap
