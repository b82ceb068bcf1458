#include "ScenePictures.h"
#include "platform/PngWrite.h"
#include <GL/gl.h>
#include <gtest/gtest.h>

void WritePicture(const std::string& path, int width, int height,
                  const std::function<Color(int x, int y)>& colorAt) {
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

std::vector<uint32_t> ReadScreen(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<uint32_t> fromTop(pixels.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[size_t(height - 1 - y) * size_t(width)], width, &fromTop[size_t(y) * size_t(width)]);
    return fromTop;
}
