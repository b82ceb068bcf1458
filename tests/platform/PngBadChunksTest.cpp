#include "platform/PngDecode.h"
#include "PngTestFiles.h"
#include <gtest/gtest.h>
#include <sys/resource.h>

// libpng allocates and clears the whole length an ancillary chunk claims
// before it reads the chunk. A short file whose text chunk claimed 1.2 GiB
// (found by fuzzing) took half a minute and more than a gigabyte to be
// refused; now every chunk but the header, palette, transparency and pixels
// is skipped unread.
namespace {
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
                                                uint32_t claimedLength, const std::vector<unsigned char>& data) {
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

TEST(PngBadChunks, ChunksClaimingGigabytesEndAtTheEndOfTheDataAndLargeOnesAreSkipped) {
    long peakBefore = PeakResidentKb();
    DecodedImage image, plain;
    std::vector<unsigned char> valid = EncodePng(RgbaPicture(2, 1, {0xFF0000FFu, 0x80FFFFFFu}));
    for (const char* type : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "prVt"}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(Decode(WithChunkAfterHeader(valid, type, 0x7FFFFFFFu, {'a', 0, 'b'}), image), PngError::Truncated);
        EXPECT_TRUE(image.rgba.empty());
    }
    // Nothing near the claimed sizes was ever touched.
    EXPECT_LT(PeakResidentKb() - peakBefore, 64 * 1024);

    // Large chunks that are really there are skipped and the pixels stay.
    ASSERT_EQ(Decode(valid, plain), PngError::None);
    std::vector<unsigned char> text(100000, 'x');
    text[3] = 0;
    for (const char* type : {"tEXt", "zTXt", "iCCP"}) {
        SCOPED_TRACE(type);
        EXPECT_EQ(Decode(WithChunkAfterHeader(valid, type, uint32_t(text.size()), text), image), PngError::None);
        EXPECT_EQ(image.rgba, plain.rgba);
    }
}
