#pragma once
#include "core/Color.h"
#include "platform/Texture.h"
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
    Sprite(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight,
           int32_t gridWidth = -1);
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite& other);
    ~Sprite();

    // Loads do not release a texture the Sprite already held.
    void Load(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight,
              int32_t gridWidth);
    void Load(const char* file, Color colorKey, int32_t frameWidth, int32_t frameHeight);

    // Draws one frame at (x, y) in logical screen pixels. A scale of exactly
    // 100 is taken as 1; rotation is in tenths of a degree, counter-clockwise;
    // a tint of 0 is taken as opaque white.
    void Draw(int32_t x, int32_t y, int32_t frame, int32_t flip, float scale, int32_t rotation,
              Color tint) const;
};

// Prints formatted text in the 8 by 8 bitmap font.
void PrintText(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint,
               const char* format, ...) __attribute__((format(printf, 6, 7)));
// Prints text literally (a percent sign shows as a percent sign).
void PrintLiteral(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint,
                  const char* text);
