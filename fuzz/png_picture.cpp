// Any bytes: the path from a PNG file to the padded, colour-keyed pixels of
// a texture either refuses them with an error number and leaves the picture
// alone, or gives a power-of-two buffer that holds the whole image.
#include "platform/PngDecode.h"
#include <cstdlib>

namespace {
bool IsPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Large enough for every picture the game ships, small enough that one run
// stays fast.
constexpr uint32_t kFuzzMaxSide = 2048;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PaddedPicture picture;
    picture.imageWidth = 7;
    PngError error = PreparePicture(data, size, Colors::Magenta, kFuzzMaxSide, picture);
    if (error != PngError::None) {
        if (picture.imageWidth != 7 || !picture.rgba.empty()) abort();
        return 0;
    }
    if (picture.imageWidth == 0 || picture.imageHeight == 0) abort();
    if (!IsPowerOfTwo(picture.textureWidth) || !IsPowerOfTwo(picture.textureHeight)) abort();
    if (picture.textureWidth < picture.imageWidth || picture.textureHeight < picture.imageHeight) abort();
    if (picture.textureWidth > kFuzzMaxSide || picture.textureHeight > kFuzzMaxSide) abort();
    if (picture.rgba.size() != size_t(picture.textureWidth) * picture.textureHeight * 4) abort();
    return 0;
}
