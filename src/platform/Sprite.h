#pragma once
#include "base/Color.h"
#include "platform/Texture.h"
#include <cstddef>
#include <cstdint>

// A picture cut into animation frames, laid out left to right in rows of
// gridWidth pixels.
class Sprite {
public:
    float xOffset = 0.0f;
    float yOffset = 0.0f;
    float depth = 0.0f;
    Texture texture;
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    int32_t gridWidth = 0;

    Sprite() = default;
    // The 8 by 8 bitmap font form: frames of 8 by 8 over the image width.
    Sprite(const char* file, Color colorKey);
    // gridWidth -1 stands for the image width.
    Sprite(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight, int32_t gridWidth = -1);
    // A copy starts at offset and depth 0; an assigned Sprite keeps its own.
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite& other);
    ~Sprite();

    // Loads do not release a texture the Sprite already held. A grid width
    // of -1 stands for the image width.
    void Load(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight, int32_t gridWidth);
    void Load(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight);

    // Draws one frame at (x, y) in logical screen pixels. A scale of exactly
    // 100 is taken as 1; rotation is in tenths of a degree, counter-clockwise;
    // a tint of 0 is taken as opaque white. A Sprite without a texture draws
    // nothing.
    void Draw(int32_t x, int32_t y, int32_t frame, int32_t flip, float scale, int32_t rotation, Color tint) const;
};

// Where a frame starts on the image: frame 0 at (0, 0), each next frame one
// frame width to the right, and a new row, one frame height lower, whenever
// the frame would reach past the grid width. Frames of 0 or less, and any
// frame of a Sprite without a positive frame width, start at (0, 0).
struct FrameOrigin {
    int64_t x = 0;
    int64_t y = 0;
};
FrameOrigin FindFrameOrigin(int32_t frame, int32_t frameWidth, int32_t frameHeight, int32_t gridWidth);

// The font frame of a character, or -1 for characters the font does not have.
int32_t GlyphFrame(unsigned char character);

// Receives the glyphs of a text as it is laid out.
class GlyphSink {
public:
    virtual ~GlyphSink() = default;
    virtual void Glyph(int32_t frame, int32_t x, int32_t y) = 0;
};

// Walks a zero-terminated text with a pen starting at (x, y): a line feed
// returns to x one line lower, a space moves one cell right, a glyph (or the
// pairs "<3" and "<-") is passed to the sink and moves one cell right, and
// any other character is skipped without moving.
void LayOutText(const char* text, int32_t x, int32_t y, int32_t cellWidth, int32_t lineHeight, GlyphSink& sink);
// How many characters of the text's first line fill at most `cells` cells
// when laid out (characters without a glyph take none).
size_t CharactersInCells(const char* text, int32_t cells);

// Prints formatted text in the 8 by 8 bitmap font. The formatted text is cut
// to 16383 characters.
void PrintText(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
// Prints text literally (a percent sign shows as a percent sign).
void PrintLiteral(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint, const char* text);
