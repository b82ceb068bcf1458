#include "ScenePictures.h"
#include "platform/PngWrite.h"
#include <gtest/gtest.h>

void WritePicture(const std::string& path, int width, int height, const std::function<Color(int x, int y)>& colorAt) {
    std::vector<unsigned char> rgba;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color c = colorAt(x, y);
            rgba.insert(rgba.end(), {c.R(), c.G(), c.B(), c.A()});
        }
    }
    std::string error;
    ASSERT_TRUE(WritePngRgba(path, width, height, rgba, error)) << error;
}

Color Opaque(int r, int g, int b) { return Color::FromBytes(uint8_t(r), uint8_t(g), uint8_t(b), 255); }
