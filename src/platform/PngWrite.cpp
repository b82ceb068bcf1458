#include "platform/PngWrite.h"
#include <cstdio>
#include <png.h>

bool WritePngRgba(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba,
                  std::string& error) {
    if (width <= 0 || height <= 0 || rgba.size() < size_t(width) * size_t(height) * 4) {
        error = "bad picture size";
        return false;
    }
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot open " + path + " for writing";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int row = 0; row < height; ++row) png_write_row(png, &rgba[size_t(row) * size_t(width) * 4]);
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (fclose(file) != 0) ok = false;
    if (!ok) error = "cannot write PNG " + path;
    return ok;
}
