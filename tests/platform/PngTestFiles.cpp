#include "PngTestFiles.h"
#include <fstream>
#include <png.h>
#include <stdexcept>

namespace {
void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}
}

void AppendBigEndian(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((unsigned char)(value >> shift));
}

PngTestPicture RgbaPicture(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels) {
    PngTestPicture picture;
    picture.width = width;
    picture.height = height;
    for (uint32_t y = 0; y < height; ++y) {
        std::vector<unsigned char> row;
        for (uint32_t x = 0; x < width; ++x)
            for (int shift = 0; shift < 32; shift += 8) row.push_back((unsigned char)(pixels[y * width + x] >> shift));
        picture.rows.push_back(row);
    }
    return picture;
}

std::vector<unsigned char> EncodePng(const PngTestPicture& picture) {
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<png_bytep> rows;
    for (const auto& row : picture.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode the test picture");
    }
    png_set_write_fn(png, &out, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, picture.bitDepth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty())
        png_set_PLTE(png, info, reinterpret_cast<png_const_colorp>(picture.palette.data()),
                     int(picture.palette.size() / 3));
    if (!picture.transparency.empty()) {
        png_color_16 colour{};
        if (picture.colorType == PNG_COLOR_TYPE_RGB) {
            colour.red = png_uint_16(picture.transparency[0] << 8 | picture.transparency[1]);
            colour.green = png_uint_16(picture.transparency[2] << 8 | picture.transparency[3]);
            colour.blue = png_uint_16(picture.transparency[4] << 8 | picture.transparency[5]);
        }
        png_set_tRNS(png, info, picture.transparency.data(), int(picture.transparency.size()), &colour);
    }
    if (picture.gamma != 0.0) png_set_gAMA(png, info, picture.gamma);
    png_write_info(png, info);
    if (picture.interlaced) png_set_interlace_handling(png);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WritePng(const std::string& path, const PngTestPicture& picture) { WriteBytes(path, EncodePng(picture)); }

std::vector<unsigned char> HeaderOnlyPng(uint32_t width, uint32_t height) {
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (const char* type : {"IDAT", "IEND"}) png_write_chunk(png, reinterpret_cast<png_const_bytep>(type), nullptr, 0);
    png_destroy_write_struct(&png, &info);
    return out;
}
