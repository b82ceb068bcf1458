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
    return PngTestPicture{width, 1, colorType, bitDepth, false, {row}, {}, {}, 0.0};
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
}

TEST(PngDecode, EveryColourTypeAndDepthGivesTheSamplesAsStored) {
    using Pixels = std::vector<uint32_t>;
    auto grey = [](unsigned char level, unsigned char alpha = 255) { return Rgba(level, level, level, alpha); };
    const std::vector<unsigned char> colours = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    // Colour type, bit depth, width, the row's bytes, the tRNS chunk, the pixels.
    const struct {
        int colorType, bitDepth;
        uint32_t width;
        std::vector<unsigned char> row, transparency;
        Pixels pixels;
    } cases[] = {
        {3, 8, 3, {0, 1, 2}, {255, 128}, {Rgba(10, 20, 30, 255), Rgba(40, 50, 60, 128), Rgba(70, 80, 90, 255)}},
        {3, 4, 3, {0x21, 0x00}, {}, {Rgba(70, 80, 90, 255), Rgba(40, 50, 60, 255), Rgba(10, 20, 30, 255)}},
        {0, 8, 3, {0, 77, 255}, {}, {grey(0), grey(77), grey(255)}},
        {0, 1, 3, {0xA0}, {}, {grey(255), grey(0), grey(255)}},
        {0, 2, 3, {0x6C}, {}, {grey(85), grey(170), grey(255)}},
        {4, 8, 2, {10, 200, 30, 0}, {}, {grey(10, 200), grey(30, 0)}},
        // 16-bit samples keep their high byte.
        {2, 16, 1, {0x12, 0xAB, 0xFF, 0x01, 0x00, 0xFF}, {}, {Rgba(0x12, 0xFF, 0x00, 255)}},
        {6, 16, 1, {1, 2, 3, 4, 5, 6, 0x80, 0xFF}, {}, {Rgba(1, 3, 5, 0x80)}},
        {4, 16, 1, {0x40, 0, 0x7F, 0xFF}, {}, {grey(0x40, 0x7F)}},
        // A transparent colour chunk gives exactly that colour alpha 0.
        {2, 8, 2, {1, 2, 3, 4, 5, 6}, {0, 4, 0, 5, 0, 6}, {Rgba(1, 2, 3, 255), Rgba(4, 5, 6, 0)}},
    };
    for (const auto& c : cases) {
        PngTestPicture picture = OneRow(c.colorType, c.bitDepth, c.row, c.width);
        if (c.colorType == 3) picture.palette = colours;
        picture.transparency = c.transparency;
        EXPECT_EQ(DecodeWords(picture), c.pixels) << "colour type " << c.colorType << ", depth " << c.bitDepth;
    }
}

TEST(PngDecode, GammaChunkAndInterlacingLeaveTheSamplesAlone) {
    PngTestPicture withGamma = OneRow(2, 8, {255, 0, 255, 128, 64, 32}, 2);
    withGamma.gamma = 1.0;  // linear: a converting reader would brighten 128
    EXPECT_EQ(DecodeWords(withGamma), (std::vector<uint32_t>{Colors::Magenta.value, Rgba(128, 64, 32, 255)}));

    std::vector<uint32_t> pixels(9 * 11);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint32_t(i * 2654435761u);
    PngTestPicture interlaced = RgbaPicture(9, 11, pixels);
    interlaced.interlaced = true;
    EXPECT_EQ(DecodeWords(interlaced), pixels);
}

TEST(PngDecode, BrokenFilesGiveTheirErrorNumberAndNoPixels) {
    EXPECT_EQ(Decode({}), PngError::EmptyFile);
    EXPECT_EQ(Decode({'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}), PngError::NotPng);
    std::vector<unsigned char> valid = EncodePng(RgbaPicture(5, 5, std::vector<uint32_t>(25, 0xFF203040u)));
    ASSERT_EQ(Decode(valid), PngError::None);
    for (size_t length = 1; length < valid.size(); ++length)
        EXPECT_EQ(Decode(std::vector<unsigned char>(valid.begin(), valid.begin() + long(length))), PngError::Truncated)
            << "cut to " << length << " bytes";

    // The pixel chunk's type field, right after the signature and the header chunk.
    const size_t data = 8 + 25 + 4;
    ASSERT_EQ(std::string(valid.begin() + data, valid.begin() + data + 4), "IDAT");
    std::vector<unsigned char> badChecksum = valid;
    uint32_t dataLength =
        uint32_t(valid[data - 4]) << 24 | valid[data - 3] << 16 | valid[data - 2] << 8 | valid[data - 1];
    badChecksum[data + 4 + dataLength] ^= 0x01;
    EXPECT_EQ(Decode(badChecksum), PngError::Corrupt);
    std::vector<unsigned char> badData = valid;
    badData[data + 6] ^= 0x40;
    EXPECT_EQ(Decode(badData), PngError::Corrupt);
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
    // 4096 by 4096 is exactly the 64 MiB allowed.
    EXPECT_EQ(Decode(HeaderOnlyPng(4096, 4096)), PngError::Corrupt);
}

// What a picture shows: the box around its pixels that are not fully
// transparent, and whether all of that box is opaque.
TEST(PngDecode, VisibleBoxHoldsEveryPixelNotFullyTransparent) {
    DecodedImage image{4, 3, std::vector<unsigned char>(4 * 3 * 4, 0)};
    auto alpha = [&](uint32_t x, uint32_t y) -> unsigned char& { return image.rgba[(y * 4 + x) * 4 + 3]; };
    PixelBox box = VisibleBoxOf(image);
    EXPECT_EQ(box.right, 0u);
    EXPECT_FALSE(OpaqueWithin(image, box));
    alpha(1, 0) = 255;
    alpha(2, 2) = 1;
    box = VisibleBoxOf(image);
    EXPECT_EQ(std::vector<uint32_t>({box.left, box.top, box.right, box.bottom}), std::vector<uint32_t>({1, 0, 3, 3}));
    EXPECT_FALSE(OpaqueWithin(image, box));
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 1; x < 3; ++x) alpha(x, y) = 255;
    EXPECT_TRUE(OpaqueWithin(image, VisibleBoxOf(image)));
    alpha(0, 1) = 255;
    EXPECT_EQ(VisibleBoxOf(image).left, 0u);
    EXPECT_FALSE(OpaqueWithin(image, VisibleBoxOf(image)));
}
