#pragma once
#include <cstdint>
#include <string>
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
    // Writes outside the picture are ignored.
    void Set(int x, int y, uint32_t color);
    void FillRect(int x, int y, int w, int h, uint32_t color);
    // Copies src with its top-left corner at (x, y); pixels equal to
    // `transparent` are skipped (pass 0 to copy everything but alpha 0).
    void Blit(const Image& src, int x, int y, uint32_t transparent = 0);
    // Writes the picture to a data file; failures go to the context.
    void Save(ContentContext& context, const std::string& gamePath) const;

private:
    int width_;
    int height_;
    std::vector<uint32_t> pixels_;
};

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255);

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
