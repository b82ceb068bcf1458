#include "Image.h"
#include "Generator.h"
#include "platform/PngWrite.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
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

void Image::Blend(int x, int y, uint32_t color) {
    uint32_t alpha = color >> 24;
    uint32_t below = Get(x, y);
    if (alpha == 0) return;
    if ((below >> 24) == 0 || alpha == 255) {
        Set(x, y, color);
        return;
    }
    Set(x, y, WithAlpha(MixColor(below, color, float(alpha) / 255.0f), uint8_t(below >> 24)));
}

void Image::DrawLine(int x0, int y0, int x1, int y1, uint32_t color) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Set(x0, y0, color);
        if (x0 == x1 && y0 == y1) return;
        int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Image::FillCircle(int cx, int cy, int radius, uint32_t color) { FillEllipse(cx, cy, radius, radius, color); }

void Image::FillEllipse(int cx, int cy, int rx, int ry, uint32_t color) {
    if (rx < 0 || ry < 0) return;
    // The half-pixel margin rounds the rim the way a pixel artist would.
    float fx = float(rx) + 0.5f, fy = float(ry) + 0.5f;
    for (int j = -ry; j <= ry; ++j)
        for (int i = -rx; i <= rx; ++i)
            if ((i * i) / (fx * fx) + (j * j) / (fy * fy) <= 1.0f) Set(cx + i, cy + j, color);
}

void Image::FillPolygon(const std::vector<std::pair<int, int>>& points, uint32_t color) {
    if (points.size() < 3) return;
    int top = points[0].second, bottom = top;
    for (const auto& p : points) {
        top = std::min(top, p.second);
        bottom = std::max(bottom, p.second);
    }
    std::vector<float> crossings;
    for (int y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y) {
        float cy = float(y) + 0.5f;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            auto a = points[i], b = points[(i + 1) % points.size()];
            if ((float(a.second) <= cy) == (float(b.second) <= cy)) continue;
            float t = (cy - float(a.second)) / float(b.second - a.second);
            crossings.push_back(float(a.first) + t * float(b.first - a.first));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = int(std::ceil(crossings[i] - 0.5f)); float(x) + 0.5f <= crossings[i + 1]; ++x)
                Set(x, y, color);
    }
}

void Image::VerticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom, bool dither) {
    const int shades = 255;
    for (int j = 0; j < h; ++j) {
        float t = h > 1 ? float(j) / float(h - 1) : 0.0f;
        for (int i = 0; i < w; ++i) {
            float shade = t;
            if (dither) {
                // Eight bands, each split between its two end colours by the pattern.
                float band = t * 8.0f;
                int lower = std::min(int(band), 7);
                shade = (float(lower) + (DitherPasses(x + i, y + j, band - float(lower)) ? 1.0f : 0.0f)) / 8.0f;
            }
            Set(x + i, y + j, MixColor(top, bottom, std::round(shade * shades) / shades));
        }
    }
}

void Image::Outline(uint32_t color, bool diagonals) {
    Image source = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if ((source.Get(x, y) >> 24) != 0) continue;
            bool touches = false;
            for (int dy = -1; dy <= 1 && !touches; ++dy)
                for (int dx = -1; dx <= 1 && !touches; ++dx) {
                    if ((dx == 0 && dy == 0) || (!diagonals && dx != 0 && dy != 0)) continue;
                    touches = (source.Get(x + dx, y + dy) >> 24) != 0;
                }
            if (touches) Set(x, y, color);
        }
}

void Image::Replace(uint32_t from, uint32_t to) { std::replace(pixels_.begin(), pixels_.end(), from, to); }

Image Image::Scaled(int factor) const {
    Image scaled(width_ * factor, height_ * factor);
    for (int y = 0; y < scaled.height_; ++y)
        for (int x = 0; x < scaled.width_; ++x) scaled.Set(x, y, Get(x / factor, y / factor));
    return scaled;
}

Image Image::SmoothDoubled() const {
    Image doubled(width_ * 2, height_ * 2);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            uint32_t p = Get(x, y), up = Get(x, y - 1), right = Get(x + 1, y), left = Get(x - 1, y),
                     down = Get(x, y + 1);
            doubled.Set(2 * x, 2 * y, left == up && left != down && up != right ? up : p);
            doubled.Set(2 * x + 1, 2 * y, up == right && up != left && right != down ? right : p);
            doubled.Set(2 * x, 2 * y + 1, down == left && down != right && left != up ? left : p);
            doubled.Set(2 * x + 1, 2 * y + 1, right == down && right != up && down != left ? down : p);
        }
    return doubled;
}

Image Image::Averaged(int factor) const {
    Image averaged(width_ / factor, height_ / factor);
    for (int y = 0; y < averaged.height_; ++y)
        for (int x = 0; x < averaged.width_; ++x) {
            uint32_t sums[4] = {0, 0, 0, 0};
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx) {
                    uint32_t pixel = Get(x * factor + dx, y * factor + dy), alpha = pixel >> 24;
                    for (int channel = 0; channel < 3; ++channel)
                        sums[channel] += (pixel >> (8 * channel) & 0xff) * alpha;
                    sums[3] += alpha;
                }
            uint32_t alphaSum = sums[3], color = alphaSum / uint32_t(factor * factor) << 24;
            for (int channel = 0; alphaSum > 0 && channel < 3; ++channel)
                color |= (sums[channel] + alphaSum / 2) / alphaSum << (8 * channel);
            averaged.Set(x, y, color);
        }
    return averaged;
}

Image Image::Mirrored() const {
    Image mirrored(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) mirrored.Set(width_ - 1 - x, y, Get(x, y));
    return mirrored;
}

Image Image::Crop(int x, int y, int w, int h) const {
    Image part(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) part.Set(i, j, Get(x + i, y + j));
    return part;
}

uint32_t MixColor(uint32_t a, uint32_t b, float t) {
    t = std::min(std::max(t, 0.0f), 1.0f);
    uint32_t mixed = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        float ca = float((a >> shift) & 0xFF), cb = float((b >> shift) & 0xFF);
        mixed |= uint32_t(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return mixed;
}

uint32_t WithAlpha(uint32_t color, uint8_t alpha) { return (color & 0x00FFFFFFu) | uint32_t(alpha) << 24; }

bool DitherPasses(int x, int y, float t) {
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (float(bayer[y & 3][x & 3]) + 0.5f) / 16.0f < t;
}

Random::Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}

uint32_t Random::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Random::Uniform() { return float(Next() >> 8) / 16777216.0f; }

int Random::Range(int low, int high) {
    if (high <= low) return low;
    return low + int(Next() % uint32_t(high - low + 1));
}

namespace {
float LatticeValue(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }
}

float ValueNoise(float x, float y, uint32_t seed) {
    int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    float fx = Smooth(x - float(x0)), fy = Smooth(y - float(y0));
    float top = LatticeValue(x0, y0, seed) + (LatticeValue(x0 + 1, y0, seed) - LatticeValue(x0, y0, seed)) * fx;
    float low =
        LatticeValue(x0, y0 + 1, seed) + (LatticeValue(x0 + 1, y0 + 1, seed) - LatticeValue(x0, y0 + 1, seed)) * fx;
    return top + (low - top) * fy;
}

float FractalNoise(float x, float y, int octaves, uint32_t seed) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f, scale = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x * scale, y * scale, seed + uint32_t(i) * 101u) * weight;
        total += weight;
        weight *= 0.5f;
        scale *= 2.0f;
    }
    return total > 0.0f ? sum / total : 0.0f;
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
            if (it == palette.end()) context.Fail(where + ": character '" + rows[y][x] + "' is not in the palette");
            else image.Set(int(x), int(y), it->second);
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
            else palette[line[0]] = color;
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
