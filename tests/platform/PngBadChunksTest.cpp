#include "platform/PngDecode.h"
#include "PngTestFiles.h"
#include <gtest/gtest.h>
#include <sys/resource.h>

// libpng allocates and clears the whole length an ancillary chunk claims
// before it reads the chunk. A short file whose text chunk claimed 1.2 GiB
// took half a minute and more than a gigabyte to be refused; now every chunk
// but the header, palette, transparency and pixels is skipped unread.
namespace {
// Found by the png_picture fuzz target: a 3 by 3 palette picture whose zTXt
// chunk claims 1296105485 bytes and holds a hundred.
const unsigned char kClaimsHugeTextChunk[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x03, 0x04, 0x03, 0x00, 0x00, 0x00, 0xa4, 0x06, 0xa8,
    0x8c, 0x00, 0x00, 0x00, 0x09, 0x50, 0x4c, 0x54, 0x45, 0xff, 0x00, 0xff, 0x00, 0x00, 0x00, 0x09,
    0x09, 0x09, 0xff, 0xd5, 0x97, 0xd9, 0x00, 0x00, 0x00, 0x02, 0x74, 0x52, 0x4e, 0x53, 0x00, 0x80,
    0xdb, 0x2b, 0x67, 0x41, 0x4d, 0x41, 0x00, 0x0d, 0x7a, 0x54, 0x58, 0x74, 0x4e, 0x47, 0x0d, 0x0a,
    0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00,
    0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0x12, 0x16, 0xf1, 0x4d, 0x00, 0x00, 0x00, 0x15, 0x49,
    0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0xf8, 0xcf, 0xf0, 0x9f, 0x91, 0x89, 0xf9, 0x44, 0x8a, 0x11,
    0x03, 0x9c, 0x05, 0x00, 0x48, 0xa4, 0x06, 0xc5, 0x41, 0x54, 0x78, 0xf4, 0x7d, 0x3e, 0x12, 0x00,
    0x00, 0x00, 0x00, 0xda, 0x63, 0x60, 0x54, 0x60, 0x00, 0x23, 0x00, 0x01, 0x98, 0x00, 0x64, 0x73,
    0x54, 0x24, 0xe2, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x49, 0x45, 0x4e,
    0x44, 0xae, 0x42, 0x60, 0x82, 0x60, 0x82,};

long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

PngError Decode(const std::vector<unsigned char>& bytes, DecodedImage& image) {
    return DecodePng(bytes.data(), bytes.size(), 4096, image);
}

// The picture's bytes with a chunk put in after the header chunk: the
// claimed length, the type and `data` (the checksum is not right, which
// libpng only warns about for chunks it may skip).
std::vector<unsigned char> WithChunkAfterHeader(std::vector<unsigned char> png, const char* type,
                                                uint32_t claimedLength,
                                                const std::vector<unsigned char>& data) {
    const size_t afterHeader = 8 + 4 + 4 + 13 + 4;
    std::vector<unsigned char> chunk;
    AppendBigEndian(chunk, claimedLength);
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    AppendBigEndian(chunk, 0);
    png.insert(png.begin() + long(afterHeader), chunk.begin(), chunk.end());
    return png;
}
}

TEST(PngBadChunks, ChunksClaimingGigabytesEndAtTheEndOfTheData) {
    long peakBefore = PeakResidentKb();
    DecodedImage image;
    EXPECT_EQ(Decode({std::begin(kClaimsHugeTextChunk), std::end(kClaimsHugeTextChunk)}, image),
              PngError::Truncated);
    EXPECT_TRUE(image.rgba.empty());

    std::vector<unsigned char> valid = EncodePng(RgbaPicture(2, 1, {0xFF0000FFu, 0x80FFFFFFu}));
    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "prVt"}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(Decode(WithChunkAfterHeader(valid, type, 0x7FFFFFFFu, {'a', 0, 'b'}), image),
                  PngError::Truncated);
    }
    // Nothing near the claimed sizes was ever touched.
    EXPECT_LT(PeakResidentKb() - peakBefore, 64 * 1024);
}

TEST(PngBadChunks, LargeTextAndProfileChunksAreSkippedAndThePixelsStay) {
    std::vector<unsigned char> valid = EncodePng(RgbaPicture(2, 1, {0xFF0000FFu, 0x80FFFFFFu}));
    DecodedImage plain;
    ASSERT_EQ(Decode(valid, plain), PngError::None);
    std::vector<unsigned char> text(100000, 'x');
    text[3] = 0;
    for (const char* type : {"tEXt", "zTXt", "iCCP"}) {
        SCOPED_TRACE(type);
        DecodedImage image;
        EXPECT_EQ(Decode(WithChunkAfterHeader(valid, type, uint32_t(text.size()), text), image),
                  PngError::None);
        EXPECT_EQ(image.rgba, plain.rgba);
    }
}
