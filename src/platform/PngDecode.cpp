#include "platform/PngDecode.h"
#include <algorithm>
#include <cstring>
#include <png.h>

namespace {
constexpr size_t kSignatureBytes = 8;

struct MemoryReader {
    const unsigned char* data;
    size_t size;
    size_t offset;
    bool ranOut;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset) {
        reader->ranOut = true;
        png_error(png, "unexpected end of data");
    }
    memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

// libpng's own messages would only repeat what our error number says.
void RaiseDecodeError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

PngError CheckSignature(const unsigned char* data, size_t size) {
    if (size == 0) return PngError::EmptyFile;
    if (png_sig_cmp(data, 0, std::min(size, kSignatureBytes)) != 0) return PngError::NotPng;
    return size < kSignatureBytes ? PngError::Truncated : PngError::None;
}

PngError CheckDimensions(uint32_t width, uint32_t height, uint32_t maxSide) {
    if (width > maxSide || height > maxSide) return PngError::BeyondTextureSize;
    uint64_t paddedBytes = uint64_t(PowerOfTwoAtLeast(width)) * PowerOfTwoAtLeast(height) * 4;
    if (paddedBytes > kMaxTextureBytes) return PngError::TooManyPixels;
    return PngError::None;
}

// Every colour type and bit depth becomes four 8-bit samples in R, G, B, A
// order. Gamma and colour corrections are never asked for, so the samples
// stay as the file stores them and colour keys match exactly.
void RequestRgba8(png_structp png, png_infop info) {
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// libpng reports errors by jumping back here, so this function keeps no
// objects with destructors of its own: the pixels and row table belong to
// the caller and are simply discarded after an error.
PngError ReadImage(png_structp png, png_infop info, const MemoryReader& reader, uint32_t maxSide, DecodedImage& image,
                   std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return reader.ranOut ? PngError::Truncated : PngError::Corrupt;
    png_read_info(png, info);
    uint32_t width = png_get_image_width(png, info);
    uint32_t height = png_get_image_height(png, info);
    PngError sizeError = CheckDimensions(width, height, maxSide);
    if (sizeError != PngError::None) return sizeError;
    RequestRgba8(png, info);
    size_t rowBytes = size_t(width) * 4;
    if (png_get_rowbytes(png, info) != rowBytes) return PngError::Corrupt;
    image.rgba.assign(rowBytes * height, 0);
    rows.resize(height);
    for (uint32_t row = 0; row < height; ++row) rows[row] = &image.rgba[row * rowBytes];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    image.width = width;
    image.height = height;
    return PngError::None;
}
}

PngError DecodePng(const unsigned char* data, size_t size, uint32_t maxSide, DecodedImage& image) {
    image = DecodedImage();
    PngError error = CheckSignature(data, size);
    if (error != PngError::None) return error;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, RaiseDecodeError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(png ? &png : nullptr, nullptr, nullptr);
        return PngError::Corrupt;
    }
    // Our own size checks decide; libpng only keeps the format's hard limit.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Only the header, palette, transparency and pixel chunks matter here.
    // libpng allocates a text or profile chunk's claimed length before
    // reading it, so a short file could otherwise ask for 2 GiB.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    MemoryReader reader{data, size, kSignatureBytes, false};
    png_set_read_fn(png, &reader, ReadFromMemory);
    png_set_sig_bytes(png, int(kSignatureBytes));
    std::vector<png_bytep> rows;
    error = ReadImage(png, info, reader, maxSide, image, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (error != PngError::None) image = DecodedImage();
    return error;
}

uint32_t PowerOfTwoAtLeast(uint32_t n) {
    uint64_t size = 1;
    while (size < n) size *= 2;
    return uint32_t(std::min<uint64_t>(size, 0x80000000u));
}

void ApplyColorKey(DecodedImage& image, Color key) {
    for (size_t at = 0; at + 4 <= image.rgba.size(); at += 4) {
        unsigned char* pixel = &image.rgba[at];
        if (Color::FromBytes(pixel[0], pixel[1], pixel[2], pixel[3]) == key) memset(pixel, 0, 4);
    }
}

void PadToPowerOfTwo(const DecodedImage& image, PaddedPicture& picture) {
    picture.imageWidth = image.width;
    picture.imageHeight = image.height;
    picture.textureWidth = PowerOfTwoAtLeast(image.width);
    picture.textureHeight = PowerOfTwoAtLeast(image.height);
    size_t textureRowBytes = size_t(picture.textureWidth) * 4;
    size_t imageRowBytes = size_t(image.width) * 4;
    picture.rgba.assign(textureRowBytes * picture.textureHeight, 0);
    for (uint32_t row = 0; row < image.height; ++row)
        memcpy(&picture.rgba[row * textureRowBytes], &image.rgba[row * imageRowBytes], imageRowBytes);
}

PixelBox VisibleBoxOf(const DecodedImage& image) {
    PixelBox box{image.width, image.height, 0, 0};
    for (uint32_t y = 0; y < image.height; ++y) {
        const unsigned char* row = image.rgba.data() + size_t(y) * image.width * 4;
        for (uint32_t x = 0; x < image.width; ++x) {
            if (row[x * 4 + 3] == 0) continue;
            box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                   std::max(box.bottom, y + 1)};
        }
    }
    return box.right == 0 ? PixelBox{} : box;
}

bool OpaqueWithin(const DecodedImage& image, const PixelBox& box) {
    if (box.right <= box.left || box.bottom <= box.top) return false;
    for (uint32_t y = box.top; y < box.bottom; ++y) {
        const unsigned char* row = image.rgba.data() + size_t(y) * image.width * 4;
        for (uint32_t x = box.left; x < box.right; ++x)
            if (row[x * 4 + 3] != 255) return false;
    }
    return true;
}

PngError PreparePicture(const unsigned char* data, size_t size, Color key, uint32_t maxSide, PaddedPicture& picture) {
    DecodedImage image;
    PngError error = DecodePng(data, size, maxSide, image);
    if (error != PngError::None) return error;
    ApplyColorKey(image, key);
    PadToPowerOfTwo(image, picture);
    picture.visible = VisibleBoxOf(image);
    picture.visibleIsOpaque = OpaqueWithin(image, picture.visible);
    return PngError::None;
}
