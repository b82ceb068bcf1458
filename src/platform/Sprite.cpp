#include "platform/Sprite.h"
#include "platform/Renderer.h"
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace {
constexpr int32_t kFontFrameWidth = 8;
constexpr int32_t kFontFrameHeight = 8;
constexpr int32_t kImageWidth = -1;
constexpr size_t kTextBufferBytes = 16384;

// The game-over screen passes 100 where it means the natural size.
float EffectiveScale(float scale) { return scale == 100.0f ? 1.0f : scale; }

Color EffectiveTint(Color tint) { return tint.value == 0 ? Colors::White : tint; }

// A turn about the unscaled frame's centre; the pivot is halved in integers
// as the frame walk counts whole pixels.
QuadTurn TurnAboutFrameCentre(int32_t x, int32_t y, int32_t frameWidth, int32_t frameHeight, int32_t rotation) {
    QuadTurn turn;
    if (rotation == 0) return turn;
    turn.pivotX = float(int64_t(x) + frameWidth / 2);
    turn.pivotY = float(int64_t(y) + frameHeight / 2);
    turn.degrees = -float(rotation) / 10.0f;
    return turn;
}

// The texels of a frame a quad shows, right and bottom excluded.
struct TexelRect {
    int64_t left, top, right, bottom;
};

// Fully transparent texels change no pixel, so a frame need only be drawn
// over its part that has visible ones: on a software renderer, every pixel
// blended counts. Only done where the cut falls between whole pixels, so
// that each pixel left shows the texel it showed before.
bool LandsOnWholePixels(float scale, int32_t rotation, float xOffset, float yOffset) {
    return rotation == 0 && scale > 0.0f && scale == std::floor(scale) && xOffset == std::floor(xOffset) &&
           yOffset == std::floor(yOffset);
}

TexelRect VisiblePart(const TexelRect& frame, const PixelBox& visible) {
    return {std::max(frame.left, int64_t(visible.left)), std::max(frame.top, int64_t(visible.top)),
            std::min(frame.right, int64_t(visible.right)), std::min(frame.bottom, int64_t(visible.bottom))};
}

class FontGlyphs : public GlyphSink {
public:
    FontGlyphs(const Sprite& font, int32_t scale, Color tint) : font_(font), scale_(scale), tint_(tint) {}
    void Glyph(int32_t frame, int32_t x, int32_t y) override { font_.Draw(x, y, frame, 0, float(scale_), 0, tint_); }

private:
    const Sprite& font_;
    int32_t scale_;
    Color tint_;
};

// The two-character glyphs; any other character after "<" leaves the "<"
// a glyph of its own.
int32_t PairFrame(char first, char second) {
    if (first != '<') return -1;
    if (second == '3') return 151;
    if (second == '-') return 195;
    return -1;
}

// What the text at `at` (not a line feed) does to the pen: the characters
// it takes, the frame it draws (-1 for none) and whether the pen moves one cell.
struct PenStep {
    int length;
    int32_t frame;
    bool moves;
};

PenStep ReadPenStep(const char* at) {
    if (*at == ' ') return {1, -1, true};
    // at[1] is at most the terminating zero, so a "<" at the end is safe.
    int32_t frame = PairFrame(at[0], at[1]);
    if (frame >= 0) return {2, frame, true};
    frame = GlyphFrame(static_cast<unsigned char>(*at));
    return {1, frame, frame >= 0};
}
}

Sprite::Sprite(const char* file, Color colorKey) { Load(file, colorKey, kFontFrameWidth, kFontFrameHeight); }

Sprite::Sprite(const char* file, Color colorKey, int32_t frameWidth_, int32_t frameHeight_, int32_t gridWidth_) {
    Load(file, colorKey, frameWidth_, frameHeight_, gridWidth_);
}

Sprite::Sprite(const Sprite& other)
    : texture(other.texture), frameWidth(other.frameWidth), frameHeight(other.frameHeight), gridWidth(other.gridWidth) {
}

Sprite& Sprite::operator=(const Sprite& other) {
    texture = other.texture;
    frameWidth = other.frameWidth;
    frameHeight = other.frameHeight;
    gridWidth = other.gridWidth;
    return *this;
}

Sprite::~Sprite() { texture.Release(); }

void Sprite::Load(const char* file, Color colorKey, int32_t frameWidth_, int32_t frameHeight_, int32_t gridWidth_) {
    texture.Load(file, colorKey);
    frameWidth = frameWidth_;
    frameHeight = frameHeight_;
    gridWidth = gridWidth_ == kImageWidth ? int32_t(texture.imageWidth) : gridWidth_;
}

void Sprite::Load(const char* file, Color colorKey, int32_t frameWidth_, int32_t frameHeight_) {
    Load(file, colorKey, frameWidth_, frameHeight_, kImageWidth);
}

void Sprite::Draw(int32_t x, int32_t y, int32_t frame, int32_t flip, float scale, int32_t rotation, Color tint) const {
    if (texture.name == 0 || texture.textureWidth == 0 || texture.textureHeight == 0) return;
    scale = EffectiveScale(scale);
    FrameOrigin origin = FindFrameOrigin(frame, frameWidth, frameHeight, gridWidth);
    TexelRect drawn{origin.x, origin.y, origin.x + frameWidth, origin.y + frameHeight};
    const Color shade = EffectiveTint(tint);
    bool opaque = false;
    if (frameWidth > 0 && frameHeight > 0 && LandsOnWholePixels(scale, rotation, xOffset, yOffset)) {
        drawn = VisiblePart(drawn, texture.visible);
        if (drawn.right <= drawn.left || drawn.bottom <= drawn.top) return;
        opaque = texture.visibleIsOpaque && shade.A() == 255;
    }
    float s0 = float(drawn.left) / float(texture.textureWidth);
    float t0 = float(drawn.top) / float(texture.textureHeight);
    float s1 = float(drawn.right) / float(texture.textureWidth);
    float t1 = float(drawn.bottom) / float(texture.textureHeight);
    // A mirrored frame shows its right-hand texels on the left.
    int64_t fromLeft = flip != 0 ? origin.x + frameWidth - drawn.right : drawn.left - origin.x;
    if (flip != 0) std::swap(s0, s1);
    BlendQuad(texture.name, TurnAboutFrameCentre(x, y, frameWidth, frameHeight, rotation),
              float(x) + xOffset + float(fromLeft) * scale, float(y) + yOffset + float(drawn.top - origin.y) * scale,
              depth, float(drawn.right - drawn.left) * scale, float(drawn.bottom - drawn.top) * scale, shade, s0, t0,
              s1, t1, opaque);
}

FrameOrigin FindFrameOrigin(int32_t frame, int32_t frameWidth, int32_t frameHeight, int32_t gridWidth) {
    if (frame <= 0 || frameWidth <= 0) return {};
    // Frame k of a row fits while (k + 1) frame widths stay within the grid;
    // the first frame of a row is always there.
    int64_t perRow = gridWidth >= frameWidth ? gridWidth / frameWidth : 1;
    return {int64_t(frame % perRow) * frameWidth, int64_t(frame / perRow) * frameHeight};
}

int32_t GlyphFrame(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 44;
    if (c >= 'a' && c <= 'z') return c + 66;
    if (c >= '0' && c <= '9') return c + 91;
    switch (c) {
    case '[': return 135;
    case '!': return 136;
    case '?': return 137;
    case '.': return 138;
    case '-': return 149;
    case '=': return 150;
    case '\'': return 152;
    case ',': return 189;
    case '&': return 190;
    case ':': return 191;
    case '%': return 193;
    case '+': return 192;
    case 7: return 196;
    case '/': return 153;
    case '\\': return 154;
    case '(': return 155;
    case ')': return 156;
    case '_': return 157;
    case '<': return 158;
    case '>': return 159;
    default: return -1;
    }
}

void LayOutText(const char* text, int32_t x, int32_t y, int32_t cellWidth, int32_t lineHeight, GlyphSink& sink) {
    int32_t penX = x;
    int32_t penY = y;
    for (const char* at = text; *at != '\0';) {
        if (*at == '\n') {
            penX = x;
            penY += lineHeight;
            ++at;
            continue;
        }
        PenStep step = ReadPenStep(at);
        if (step.frame >= 0) sink.Glyph(step.frame, penX, penY);
        if (step.moves) penX += cellWidth;
        at += step.length;
    }
}

size_t CharactersInCells(const char* text, int32_t cells) {
    size_t length = 0;
    for (int32_t used = 0; text[length] != '\0' && text[length] != '\n';) {
        PenStep step = ReadPenStep(text + length);
        if (step.moves && used == cells) break;
        used += step.moves ? 1 : 0;
        length += size_t(step.length);
    }
    return length;
}

void PrintText(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint, const char* format, ...) {
    char text[kTextBufferBytes];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    PrintLiteral(font, x, y, scale, tint, text);
}

void PrintLiteral(const Sprite& font, int32_t x, int32_t y, int32_t scale, Color tint, const char* text) {
    FontGlyphs glyphs(font, scale, tint);
    LayOutText(text, x, y, font.frameWidth * scale, font.frameHeight * scale, glyphs);
}
