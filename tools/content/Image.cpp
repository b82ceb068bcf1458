#include "Image.h"
#include "Generator.h"
#include "platform/PngWrite.h"
#include <fstream>
#include <map>

Image::Image(int width, int height, uint32_t fill)
    : width_(width), height_(height), pixels_(size_t(width) * size_t(height), fill) {}

uint32_t Image::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[size_t(y) * size_t(width_) + size_t(x)];
}

void Image::Set(int x, int y, uint32_t color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[size_t(y) * size_t(width_) + size_t(x)] = color;
}

void Image::FillRect(int x, int y, int w, int h, uint32_t color) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, color);
}

void Image::Blit(const Image& src, int x, int y, uint32_t transparent) {
    for (int j = 0; j < src.Height(); ++j)
        for (int i = 0; i < src.Width(); ++i) {
            uint32_t c = src.Get(i, j);
            if (c == transparent || (c >> 24) == 0) continue;
            Set(x + i, y + j, c);
        }
}

void Image::Save(ContentContext& context, const std::string& gamePath) const {
    std::vector<unsigned char> rgba(pixels_.size() * 4);
    for (size_t i = 0; i < pixels_.size(); ++i)
        for (int b = 0; b < 4; ++b) rgba[i * 4 + size_t(b)] = uint8_t(pixels_[i] >> (8 * b));
    std::string error;
    if (!WritePngRgba(context.Output(gamePath), width_, height_, rgba, error)) context.Fail(error);
}

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}

namespace {
bool ParseHexColor(const std::string& hex, uint32_t& color) {
    if (hex.size() != 6 && hex.size() != 8) return false;
    unsigned long v = 0;
    try {
        v = std::stoul(hex, nullptr, 16);
    } catch (...) {
        return false;
    }
    uint8_t a = hex.size() == 8 ? uint8_t(v) : 255;
    if (hex.size() == 8) v >>= 8;
    color = Rgb(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v), a);
    return true;
}

Image RowsToImage(const std::vector<std::string>& rows, const std::map<char, uint32_t>& palette,
                  const std::string& where, ContentContext& context) {
    size_t width = rows.empty() ? 0 : rows[0].size();
    Image image(int(width), int(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != width) context.Fail(where + ": rows of different lengths");
        for (size_t x = 0; x < rows[y].size() && x < width; ++x) {
            auto it = palette.find(rows[y][x]);
            if (it == palette.end())
                context.Fail(where + ": character '" + rows[y][x] + "' is not in the palette");
            else
                image.Set(int(x), int(y), it->second);
        }
    }
    return image;
}
}

std::vector<TextArt> LoadTextArt(ContentContext& context, const std::string& sourceFile) {
    std::vector<TextArt> art;
    std::ifstream in(context.Source(sourceFile));
    if (!in) {
        context.Fail("cannot read " + sourceFile);
        return art;
    }
    std::map<char, uint32_t> palette;
    std::vector<std::string> rows;
    std::string name;
    auto finish = [&] {
        if (!name.empty()) art.push_back({name, RowsToImage(rows, palette, sourceFile + " " + name, context)});
        rows.clear();
    };
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '=') {
            finish();
            name = line.substr(line.find_first_not_of("= "));
        } else if (name.empty()) {
            uint32_t color = 0;
            if (line.size() < 3 || line[1] != ' ' || !ParseHexColor(line.substr(2), color))
                context.Fail(sourceFile + ":" + std::to_string(lineNumber) + ": bad palette line");
            else
                palette[line[0]] = color;
        } else {
            rows.push_back(line);
        }
    }
    finish();
    return art;
}

const Image* FindArt(const std::vector<TextArt>& art, const std::string& name) {
    for (const TextArt& entry : art)
        if (entry.name == name) return &entry.image;
    return nullptr;
}
