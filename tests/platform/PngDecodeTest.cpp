#include "PngTestFiles.h"
#include "platform/PngDecode.h"
#include <gtest/gtest.h>
#include <string>

namespace {
constexpr uint32_t kMaxSide = 16384;

std::vector<uint32_t> Words(const std::vector<unsigned char>& rgba) {
    std::vector<uint32_t> words;
    for (size_t at = 0; at + 4 <= rgba.size(); at += 4)
        words.push_back(Color::FromBytes(rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]).value);
    return words;
}

std::vector<uint32_t> DecodeWords(const PngTestPicture& picture) {
    std::vector<unsigned char> bytes = EncodePng(picture);
    DecodedImage image;
    EXPECT_EQ(DecodePng(bytes.data(), bytes.size(), kMaxSide, image), PngError::None);
    EXPECT_EQ(image.width, picture.width);
    EXPECT_EQ(image.height, picture.height);
    return Words(image.rgba);
}

PngTestPicture OneRow(int colorType, int bitDepth, std::vector<unsigned char> row, uint32_t width) {
    PngTestPicture picture;
    picture.width = width;
    picture.height = 1;
    picture.colorType = colorType;
    picture.bitDepth = bitDepth;
    picture.rows = {row};
    return picture;
}

uint32_t Rgba(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    return Color::FromBytes(r, g, b, a).value;
}

PngError Decode(const std::vector<unsigned char>& bytes, uint32_t maxSide = kMaxSide) {
    DecodedImage image;
    PngError error = DecodePng(bytes.data(), bytes.size(), maxSide, image);
    EXPECT_TRUE(error == PngError::None || (image.rgba.empty() && image.width == 0));
    return error;
}

std::vector<unsigned char> SmallValidPng() {
    std::vector<uint32_t> pixels(25);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | uint32_t(i * 0x030507);
    return EncodePng(RgbaPicture(5, 5, pixels));
}

// The offset of a chunk's type field in a PNG file.
size_t FindChunk(const std::vector<unsigned char>& bytes, const std::string& type) {
    for (size_t at = 8; at + 8 <= bytes.size();) {
        uint32_t length = uint32_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                          bytes[at + 3];
        if (std::string(bytes.begin() + long(at) + 4, bytes.begin() + long(at) + 8) == type)
            return at + 4;
        at += 12 + length;
    }
    return 0;
}
}

TEST(PngDecode, EveryColourTypeAndDepthGivesTheSamplesAsStored) {
    PngTestPicture palette = OneRow(3, 8, {0, 1, 2}, 3);
    palette.palette = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    palette.transparency = {255, 128};
    EXPECT_EQ(DecodeWords(palette), (std::vector<uint32_t>{Rgba(10, 20, 30, 255),
                                                          Rgba(40, 50, 60, 128),
                                                          Rgba(70, 80, 90, 255)}));
    PngTestPicture packedPalette = OneRow(3, 4, {0x21, 0x00}, 3);
    packedPalette.palette = palette.palette;
    EXPECT_EQ(DecodeWords(packedPalette), (std::vector<uint32_t>{Rgba(70, 80, 90, 255),
                                                                Rgba(40, 50, 60, 255),
                                                                Rgba(10, 20, 30, 255)}));
    EXPECT_EQ(DecodeWords(OneRow(0, 8, {0, 77, 255}, 3)),
              (std::vector<uint32_t>{Rgba(0, 0, 0, 255), Rgba(77, 77, 77, 255),
                                     Rgba(255, 255, 255, 255)}));
    EXPECT_EQ(DecodeWords(OneRow(0, 1, {0xA0}, 3)),
              (std::vector<uint32_t>{Rgba(255, 255, 255, 255), Rgba(0, 0, 0, 255),
                                     Rgba(255, 255, 255, 255)}));
    EXPECT_EQ(DecodeWords(OneRow(0, 2, {0x6C}, 3)),
              (std::vector<uint32_t>{Rgba(85, 85, 85, 255), Rgba(170, 170, 170, 255),
                                     Rgba(255, 255, 255, 255)}));
    EXPECT_EQ(DecodeWords(OneRow(4, 8, {10, 200, 30, 0}, 2)),
              (std::vector<uint32_t>{Rgba(10, 10, 10, 200), Rgba(30, 30, 30, 0)}));
    // 16-bit samples keep their high byte.
    EXPECT_EQ(DecodeWords(OneRow(2, 16, {0x12, 0xAB, 0xFF, 0x01, 0x00, 0xFF}, 1)),
              (std::vector<uint32_t>{Rgba(0x12, 0xFF, 0x00, 255)}));
    EXPECT_EQ(DecodeWords(OneRow(6, 16, {1, 2, 3, 4, 5, 6, 0x80, 0xFF}, 1)),
              (std::vector<uint32_t>{Rgba(1, 3, 5, 0x80)}));
    EXPECT_EQ(DecodeWords(OneRow(4, 16, {0x40, 0, 0x7F, 0xFF}, 1)),
              (std::vector<uint32_t>{Rgba(0x40, 0x40, 0x40, 0x7F)}));
    // A transparent colour chunk gives exactly that colour alpha 0.
    PngTestPicture keyed = OneRow(2, 8, {1, 2, 3, 4, 5, 6}, 2);
    keyed.transparency = {0, 4, 0, 5, 0, 6};
    EXPECT_EQ(DecodeWords(keyed), (std::vector<uint32_t>{Rgba(1, 2, 3, 255), Rgba(4, 5, 6, 0)}));
}

TEST(PngDecode, GammaChunkAndInterlacingLeaveTheSamplesAlone) {
    PngTestPicture withGamma = OneRow(2, 8, {255, 0, 255, 128, 64, 32}, 2);
    withGamma.gamma = 1.0;  // linear: a converting reader would brighten 128
    EXPECT_EQ(DecodeWords(withGamma),
              (std::vector<uint32_t>{Colors::Magenta.value, Rgba(128, 64, 32, 255)}));

    std::vector<uint32_t> pixels(9 * 11);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u);
    PngTestPicture interlaced = RgbaPicture(9, 11, pixels);
    interlaced.interlaced = true;
    EXPECT_EQ(DecodeWords(interlaced), pixels);
    PngTestPicture greyInterlaced = OneRow(0, 8, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 10);
    greyInterlaced.interlaced = true;
    EXPECT_EQ(DecodeWords(greyInterlaced)[9], Rgba(10, 10, 10, 255));
    EXPECT_EQ(DecodeWords(RgbaPicture(1, 1, {0x11223344u})),
              (std::vector<uint32_t>{0x11223344u}));
}

TEST(PngDecode, BrokenFilesGiveTheirErrorNumberAndNoPixels) {
    EXPECT_EQ(Decode({}), PngError::EmptyFile);
    EXPECT_EQ(Decode({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}), PngError::NotPng);
    std::vector<unsigned char> valid = SmallValidPng();
    ASSERT_EQ(Decode(valid), PngError::None);
    for (size_t length = 1; length < valid.size(); ++length)
        EXPECT_EQ(Decode(std::vector<unsigned char>(valid.begin(), valid.begin() + long(length))),
                  PngError::Truncated)
            << "cut to " << length << " bytes";

    size_t data = FindChunk(valid, "IDAT");
    ASSERT_NE(data, 0u);
    std::vector<unsigned char> badChecksum = valid;
    uint32_t dataLength = uint32_t(valid[data - 4]) << 24 | valid[data - 3] << 16 |
                          valid[data - 2] << 8 | valid[data - 1];
    badChecksum[data + 4 + dataLength] ^= 0x01;
    EXPECT_EQ(Decode(badChecksum), PngError::Corrupt);
    std::vector<unsigned char> badData = valid;
    badData[data + 6] ^= 0x40;
    EXPECT_EQ(Decode(badData), PngError::Corrupt);
    EXPECT_EQ(Decode(HeaderOnlyPng(0, 4)), PngError::Corrupt);
}

TEST(PngDecode, OversizedPicturesAreRefusedBeforeTheirPixelsAreRead) {
    EXPECT_EQ(Decode(HeaderOnlyPng(20000, 20000)), PngError::BeyondTextureSize);
    EXPECT_EQ(Decode(HeaderOnlyPng(65, 1), 64), PngError::BeyondTextureSize);
    EXPECT_EQ(Decode(HeaderOnlyPng(1, 65), 64), PngError::BeyondTextureSize);
    // 64 pixels wide passes the size check and fails later on the missing data.
    EXPECT_EQ(Decode(HeaderOnlyPng(64, 1), 64), PngError::Corrupt);
    // 8192 by 4097 pads to 8192 by 8192, 256 MiB.
    EXPECT_EQ(Decode(HeaderOnlyPng(8192, 4097)), PngError::TooManyPixels);
    EXPECT_EQ(Decode(HeaderOnlyPng(4097, 2049)), PngError::TooManyPixels);
    EXPECT_EQ(Decode(HeaderOnlyPng(2048, 2048)), PngError::Corrupt);
}

TEST(PreparePicture, FileBytesBecomeAKeyedPaddedTexture) {
    std::vector<uint32_t> pixels(320 * 240, Rgba(9, 8, 7, 255));
    pixels[0] = Colors::Magenta.value;
    pixels[320 * 240 - 1] = Rgba(1, 2, 3, 255);
    std::vector<unsigned char> bytes = EncodePng(RgbaPicture(320, 240, pixels));
    PaddedPicture picture;
    ASSERT_EQ(PreparePicture(bytes.data(), bytes.size(), Colors::Magenta, kMaxSide, picture),
              PngError::None);
    EXPECT_EQ(picture.textureWidth, 512u);
    EXPECT_EQ(picture.textureHeight, 256u);
    std::vector<uint32_t> words = Words(picture.rgba);
    EXPECT_EQ(words[0], 0u);
    EXPECT_EQ(words[1], Rgba(9, 8, 7, 255));
    EXPECT_EQ(words[239 * 512 + 319], Rgba(1, 2, 3, 255));
    EXPECT_EQ(words[239 * 512 + 320], 0u);
    EXPECT_EQ(words[240 * 512], 0u);

    PaddedPicture untouched = picture;
    bytes.resize(bytes.size() / 2);
    EXPECT_EQ(PreparePicture(bytes.data(), bytes.size(), Colors::Magenta, kMaxSide, picture),
              PngError::Truncated);
    EXPECT_EQ(picture.rgba, untouched.rgba);
    EXPECT_EQ(picture.imageWidth, 320u);
}
