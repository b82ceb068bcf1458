#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A PNG described as the file stores it, for tests that need pictures of
// every colour type and bit depth.
struct PngTestPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    int colorType = 6;  // the PNG colour type: 0 grey, 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<std::vector<unsigned char>> rows;  // packed samples, 16-bit ones big-endian
    std::vector<unsigned char> palette;            // RGB triples
    std::vector<unsigned char> transparency;       // the tRNS chunk's bytes
    double gamma = 0.0;                            // a gAMA chunk when not 0
};

// An 8-bit RGBA picture from 32-bit pixel words (red in the low byte).
PngTestPicture RgbaPicture(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);

// Appends the value's four bytes, most significant first, as PNG stores numbers.
void AppendBigEndian(std::vector<unsigned char>& out, uint32_t value);

std::vector<unsigned char> EncodePng(const PngTestPicture& picture);
void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes);
void WritePng(const std::string& path, const PngTestPicture& picture);

// A file that is a signature and an IHDR chunk claiming the given size,
// with a correct checksum, followed by an empty IDAT and IEND.
std::vector<unsigned char> HeaderOnlyPng(uint32_t width, uint32_t height);
