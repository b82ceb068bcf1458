#pragma once
#include "base/Color.h"
#include <cstddef>
#include <cstdint>
#include <vector>

// The decoder's error numbers, shown to the player as "PNG Error: %d".
enum class PngError : int {
    None = 0,
    EmptyFile = 1,          // zero bytes
    NotPng = 2,             // the file does not start with the PNG signature
    Truncated = 3,          // the data ends before the picture does
    Corrupt = 4,            // a bad chunk, checksum or compressed stream
    BeyondTextureSize = 5,  // wider or taller than the largest texture GL takes
    TooManyPixels = 6,      // the padded texture would need more than 64 MiB
};

// The most bytes one picture's padded texture may take.
constexpr uint64_t kMaxTextureBytes = 64ull * 1024 * 1024;
// The largest file read as a picture. The largest picture accepted, stored
// at 16 bits a sample without compression, takes twice kMaxTextureBytes; the
// quarter more is room for row filters, chunk headers and text chunks.
constexpr uint64_t kMaxPictureFileBytes = 2 * kMaxTextureBytes + kMaxTextureBytes / 4;

// 8-bit RGBA pixels, rows from the top, packed without gaps.
struct DecodedImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<unsigned char> rgba;
};

// A rectangle of pixels, right and bottom excluded.
struct PixelBox {
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t right = 0;
    uint32_t bottom = 0;
};

// A decoded, colour-keyed picture in the top-left corner of a power-of-two
// texture whose other pixels are transparent black.
struct PaddedPicture {
    uint32_t imageWidth = 0;
    uint32_t imageHeight = 0;
    uint32_t textureWidth = 0;
    uint32_t textureHeight = 0;
    PixelBox visible;              // the smallest box holding every pixel that is not fully transparent
    bool visibleIsOpaque = false;  // whether every pixel of that box is fully opaque
    std::vector<unsigned char> rgba;
};

// Decodes a whole PNG file held in memory into 8-bit RGBA with every sample
// as the file stores it (no gamma or colour correction). Pictures wider or
// taller than maxSide, or too large for the pixel budget, are refused before
// any pixel buffer is allocated. On error the image is left empty.
PngError DecodePng(const unsigned char* data, size_t size, uint32_t maxSide, DecodedImage& image);

// The smallest power of two that is at least n (1 for 0 and 1).
uint32_t PowerOfTwoAtLeast(uint32_t n);

// Every pixel whose 32-bit RGBA value equals the key becomes transparent
// black. A key of 0 therefore changes nothing.
void ApplyColorKey(DecodedImage& image, Color key);

// The smallest box holding every pixel whose alpha is not 0; an empty box at
// (0, 0) when there is none.
PixelBox VisibleBoxOf(const DecodedImage& image);
// Whether every pixel of the box has alpha 255 (false for an empty box).
bool OpaqueWithin(const DecodedImage& image, const PixelBox& box);

// Copies the image into the top-left corner of a zeroed power-of-two buffer.
void PadToPowerOfTwo(const DecodedImage& image, PaddedPicture& picture);

// The whole path from file bytes to the pixels a texture is made of, without
// touching GL. On error the picture is left as it was.
PngError PreparePicture(const unsigned char* data, size_t size, Color key, uint32_t maxSide, PaddedPicture& picture);
