#include "tiledmap/TiledMap.h"
#include "world/LevelFile.h"
#include <cctype>
#include <cstring>
#include <zlib.h>

namespace TiledMap {

namespace {

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Decoding stops past `limit` bytes: the caller refuses the data then.
bool DecodeBase64(std::string_view text, size_t limit, std::vector<uint8_t>& bytes) {
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (isspace(static_cast<unsigned char>(c)) || c == '=') continue;
        int value = Base64Value(c);
        if (value < 0) return false;
        bits = (bits << 6) | uint32_t(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(uint8_t(bits >> count));
            if (bytes.size() > limit) return true;
        }
    }
    return true;
}

// zlib and gzip streams both (windowBits 15 + 32 detects the header), and
// every member of a gzip stream of several. The output never grows past
// `limit` bytes, whatever the stream claims.
bool Inflate(const std::vector<uint8_t>& packed, size_t limit, std::vector<uint8_t>& bytes) {
    z_stream stream;
    memset(&stream, 0, sizeof stream);
    if (inflateInit2(&stream, 15 + 32) != Z_OK) return false;
    bytes.assign(limit + 1, 0);
    stream.next_in = const_cast<Bytef*>(packed.data());
    stream.avail_in = uInt(packed.size());
    stream.next_out = bytes.data();
    stream.avail_out = uInt(bytes.size());
    int result = inflate(&stream, Z_FINISH);
    while (result == Z_STREAM_END && stream.avail_in > 0 && inflateReset(&stream) == Z_OK)
        result = inflate(&stream, Z_FINISH);
    bytes.resize(bytes.size() - stream.avail_out);
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

// Reading stops past `limit` cells: the caller refuses the data then.
bool DecodeCsv(std::string_view text, size_t limit, std::vector<uint32_t>& cells) {
    size_t i = 0;
    while (i < text.size() && cells.size() <= limit) {
        while (i < text.size() && isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i == text.size()) break;
        uint64_t value = 0;
        size_t start = i;
        for (; i < text.size() && isdigit(static_cast<unsigned char>(text[i])) && value <= UINT32_MAX; ++i)
            value = value * 10 + uint64_t(text[i] - '0');
        if (i == start || value > UINT32_MAX) return false;
        cells.push_back(uint32_t(value));
        while (i < text.size() && isspace(static_cast<unsigned char>(text[i]))) ++i;
        if (i < text.size() && text[i++] != ',') return false;
    }
    return true;
}

// A count read up to one past `limit`, as a message says it.
std::string Found(size_t count, size_t limit) {
    return count > limit ? "more than " + std::to_string(limit) : std::to_string(count);
}

// The packed data that `bytes` of cells can take: zlib's bound, with room
// for the headers of a gzip stream of a few members.
size_t PackedLimit(size_t bytes) { return compressBound(uLong(bytes)) + 1024; }

// Cells of four little-endian bytes, the bytes packed with `compression` or not.
bool DecodeBase64Cells(std::string_view text, const std::string& compression, size_t expected,
                       std::vector<uint32_t>& cells, std::string& error) {
    const bool packed = compression == "zlib" || compression == "gzip";
    if (!packed && !compression.empty())
        return (error = compression + " compression cannot be read (use zlib, gzip or none)"), false;
    const size_t size = expected * 4;
    std::vector<uint8_t> decoded, unpacked;
    if (!DecodeBase64(text, packed ? PackedLimit(size) : size, decoded))
        return (error = "the base64 data holds other characters"), false;
    if (packed && decoded.size() > PackedLimit(size))
        return (error = "more " + compression + " data than " + std::to_string(expected) + " cells need"), false;
    if (packed && !Inflate(decoded, size, unpacked)) return (error = compression + " data that does not unpack"), false;
    const std::vector<uint8_t>& bytes = packed ? unpacked : decoded;
    if (bytes.size() != size)
        return (error = Found(bytes.size(), size) + " bytes of data where the layer has " + std::to_string(expected) +
                        " cells"),
               false;
    for (size_t i = 0; i + 4 <= bytes.size(); i += 4)
        cells.push_back(uint32_t(bytes[i]) | uint32_t(bytes[i + 1]) << 8 | uint32_t(bytes[i + 2]) << 16 |
                        uint32_t(bytes[i + 3]) << 24);
    return true;
}

}  // namespace

bool FormatOfPath(const std::string& path, Format& format) {
    auto endsWith = [&path](const char* ending) {
        size_t n = strlen(ending);
        return path.size() > n && path.compare(path.size() - n, n, ending) == 0;
    };
    if (endsWith(".tmx")) format = Format::Tmx;
    else if (endsWith(".tmj")) format = Format::Tmj;
    else return false;
    return true;
}

bool DecodeCells(std::string_view text, const std::string& encoding, const std::string& compression, size_t expected,
                 std::vector<uint32_t>& cells, std::string& error) {
    cells.clear();
    if (encoding == "csv") {
        if (!compression.empty()) return (error = "csv data cannot be compressed"), false;
        if (!DecodeCsv(text, expected, cells))
            return (error = "the csv data holds something other than tile numbers"), false;
    } else if (encoding == "base64") {
        if (!DecodeBase64Cells(text, compression, expected, cells, error)) return false;
    } else {
        return (error = "data encoding '" + encoding + "' cannot be read (use csv or base64)"), false;
    }
    return CellCountFits(cells.size(), expected, error);
}

bool CellCountFits(size_t cells, size_t expected, std::string& error) {
    if (cells == expected) return true;
    error = Found(cells, expected) + " cells where the layer has " + std::to_string(expected);
    return false;
}

bool LayerSizeFits(const Layer& layer, std::string& error) {
    constexpr int kMaxCells = LevelFile::kMaxGridSize + 1;
    if (layer.width >= 1 && layer.width <= kMaxCells && layer.height >= 1 && layer.height <= kMaxCells) return true;
    error = "tile layer '" + layer.name + "' is " + std::to_string(layer.width) + " by " +
            std::to_string(layer.height) + " cells; a grid has 1 to " + std::to_string(kMaxCells) + " each way";
    return false;
}

const Property* FindProperty(const Properties& properties, const std::string& name) {
    for (const Property& property : properties)
        if (property.name == name) return &property;
    return nullptr;
}

bool ReadMap(const std::string& text, Format format, Map& map, std::string& error) {
    map = Map();
    return format == Format::Tmx ? ReadTmx(text, map, error) : ReadTmj(text, map, error);
}

std::string WriteMap(const Map& map, Format format) { return format == Format::Tmx ? WriteTmx(map) : WriteTmj(map); }

}  // namespace TiledMap
