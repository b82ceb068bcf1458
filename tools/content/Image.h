#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ContentContext;

// An RGBA picture being made. Pixels are 32-bit values with the bytes red,
// green, blue, alpha in memory order (0xFF0000FF is opaque red), like the
// game's colour keys.
class Image {
public:
    Image(int width, int height, uint32_t fill = 0);
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t Get(int x, int y) const;
    // Writes outside the picture are ignored by every drawing call.
    void Set(int x, int y, uint32_t color);
    // Lays `color` over the pixel by its alpha (the pixel keeps its own alpha
    // where it is opaque; over a transparent pixel the colour is written).
    void Blend(int x, int y, uint32_t color);
    void FillRect(int x, int y, int w, int h, uint32_t color);
    // Copies src with its top-left corner at (x, y); pixels equal to
    // `transparent` are skipped (pass 0 to copy everything but alpha 0).
    void Blit(const Image& src, int x, int y, uint32_t transparent = 0);
    // Writes the picture to a data file; failures go to the context.
    void Save(ContentContext& context, const std::string& gamePath) const;

    // One-pixel lines with both end points drawn.
    void DrawLine(int x0, int y0, int x1, int y1, uint32_t color);
    void FillCircle(int cx, int cy, int radius, uint32_t color);
    void FillEllipse(int cx, int cy, int rx, int ry, uint32_t color);
    // Fills the polygon through the points (even-odd rule, pixel centres).
    void FillPolygon(const std::vector<std::pair<int, int>>& points, uint32_t color);
    // Rows from `top` at y to `bottom` at y + h - 1, mixed per row; with
    // `dither` the steps between neighbouring shades are broken up by an
    // ordered pattern, which keeps the crisp pixel look without banding.
    void VerticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom, bool dither = true);
    // Draws a one-pixel border of `color` around every opaque pixel, onto
    // transparent pixels only (set `diagonals` for an eight-way border).
    void Outline(uint32_t color, bool diagonals = false);
    // Every pixel equal to `from` becomes `to`.
    void Replace(uint32_t from, uint32_t to);
    Image Scaled(int factor) const;
    // Doubles the picture, rounding off staircase diagonals instead of
    // copying blocks (each pixel becomes four, taking a neighbour's colour
    // where two neighbours agree across a corner).
    Image SmoothDoubled() const;
    // Each `factor` by `factor` block becomes one pixel of its mean colour,
    // weighted by alpha so that transparent pixels lend no colour to edges.
    Image Averaged(int factor) const;
    Image Mirrored() const;
    // The sub-picture at (x, y), w by h; outside parts are transparent.
    Image Crop(int x, int y, int w, int h) const;

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);
// Mixes two colours channel by channel: t = 0 gives a, t = 1 gives b.
uint32_t MixColor(uint32_t a, uint32_t b, float t);
// The colour with its alpha byte replaced.
uint32_t WithAlpha(uint32_t color, uint8_t alpha);
// True where the 4 by 4 ordered-dither pattern at (x, y) lies below t (0..1):
// a share t of the pixels of any area passes.
bool DitherPasses(int x, int y, float t);

// A small fixed-seed random source, so every run makes the same pictures.
class Random {
public:
    explicit Random(uint32_t seed);
    uint32_t Next();
    // A float in [0, 1).
    float Uniform();
    // An integer in [low, high].
    int Range(int low, int high);

private:
    uint32_t state_;
};

// Smooth value noise in [0, 1] over the plane with lattice cells one unit
// wide; the same seed and point always give the same value.
float ValueNoise(float x, float y, uint32_t seed);
// Sums `octaves` layers of value noise, each twice as fine and half as
// strong; the result stays in [0, 1].
float FractalNoise(float x, float y, int octaves, uint32_t seed);

// Pixel art kept as text: a palette of "C RRGGBB" or "C RRGGBBAA" lines, then
// one or more named pictures, each a line "= NAME" followed by rows of palette
// characters of equal length. '#' starts a comment line; blank lines are
// skipped.
struct TextArt {
    std::string name;
    Image image{0, 0};
};
std::vector<TextArt> LoadTextArt(ContentContext& context, const std::string& sourceFile);
const Image* FindArt(const std::vector<TextArt>& art, const std::string& name);
