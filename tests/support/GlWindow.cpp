#include "support/GlWindow.h"
#include "platform/Renderer.h"
#include "platform/Window.h"
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

GlWindow::GlWindow(int width, int height) : width_(width), height_(height) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    open_ = StartSdl() && InitRenderer(320, 240, width, height, false);
}

GlWindow::~GlWindow() { StopSdl(); }

Color GlWindow::Pixel(int x, int y) const {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, height_ - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Color::FromBytes(rgba[0], rgba[1], rgba[2], 255);
}

std::vector<uint32_t> ReadScreen(int width, int height) {
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<uint32_t> fromTop(pixels.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(&pixels[size_t(height - 1 - y) * size_t(width)], width, &fromTop[size_t(y) * size_t(width)]);
    return fromTop;
}

void ExpectPixels(const GlWindow& window, const std::vector<ExpectedPixel>& pixels) {
    for (const ExpectedPixel& pixel : pixels)
        EXPECT_EQ(window.Pixel(pixel.x, pixel.y), pixel.color) << "at " << pixel.x << ", " << pixel.y;
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {
// The folders MakeTempDir made go, with all they hold, when the test program
// ends (gtest's main returns, so static destructors run).
struct MadeFolders : std::vector<std::string> {
    ~MadeFolders() {
        std::error_code ignored;
        for (const std::string& path : *this) std::filesystem::remove_all(path, ignored);
    }
} gMadeFolders;
}

std::string MakeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "duskhold-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return "/tmp";
    gMadeFolders.push_back(pattern);
    return pattern;
}

TempDir::TempDir() : path(MakeTempDir()) {}

TempDir::~TempDir() {
    std::error_code ignored;
    if (path != "/tmp") std::filesystem::remove_all(path, ignored);  // never the fallback itself
}
