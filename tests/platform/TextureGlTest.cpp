#include "PngTestFiles.h"
#include "core/Log.h"
#include "platform/ErrorBox.h"
#include "platform/Sprite.h"
#include "platform/Texture.h"
#include "support/GlWindow.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
uint32_t Rgba(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
    return Color::FromBytes(r, g, b, a).value;
}

std::vector<uint32_t> TexturePixels(const Texture& texture) {
    std::vector<uint32_t> pixels(size_t(texture.textureWidth) * texture.textureHeight);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::string WriteSolidPng(const TempDir& dir, const std::string& name, uint32_t width, uint32_t height,
                          uint32_t pixel) {
    WritePng(dir / name, RgbaPicture(width, height, std::vector<uint32_t>(width * height, pixel)));
    return dir / name;
}

using TextureGl = GlTest;
}

TEST_F(TextureGl, PicturesAreKeyedPaddedAndUploadedWithNearestClampedSampling) {
    TempDir dir;
    std::vector<uint32_t> pixels(33 * 16, Rgba(10, 20, 30, 255));
    pixels[0] = Colors::Magenta.value;
    pixels[1] = Rgba(255, 0, 255, 254);
    pixels[33 * 16 - 1] = Rgba(200, 100, 50, 255);
    WritePng(dir / "sheet.png", RgbaPicture(33, 16, pixels));
    Texture sheet;
    sheet.Load((dir / "sheet.png").c_str(), Colors::Magenta);
    ASSERT_NE(sheet.name, 0u);
    EXPECT_EQ((std::vector<uint32_t>{sheet.imageWidth, sheet.imageHeight, sheet.textureWidth, sheet.textureHeight}),
              (std::vector<uint32_t>{33, 16, 64, 16}));
    std::vector<uint32_t> texels = TexturePixels(sheet);
    EXPECT_EQ((std::vector<uint32_t>{texels[0], texels[1], texels[2], texels[15 * 64 + 32]}),
              (std::vector<uint32_t>{0, Rgba(255, 0, 255, 254), Rgba(10, 20, 30, 255), Rgba(200, 100, 50, 255)}));
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 33; x < 64; ++x) ASSERT_EQ(texels[y * 64 + x], 0u) << x << "," << y;
    for (GLenum parameter : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER, GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
        GLint value = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, parameter == GL_TEXTURE_MIN_FILTER || parameter == GL_TEXTURE_MAG_FILTER
                             ? GL_NEAREST : GL_CLAMP_TO_EDGE);
    }
    Texture single;
    single.Load(WriteSolidPng(dir, "one.png", 1, 1, 0x80402010u).c_str(), Color(0));
    EXPECT_EQ(TexturePixels(single), (std::vector<uint32_t>{0x80402010u}));
    for (Texture* texture : {&sheet, &single}) texture->Release();
}

// Copies and repeated loads of a live file with the same key share one
// texture; the last release deletes it and forgets the file.
TEST_F(TextureGl, LoadsAndCopiesShareATextureThatTheLastReleaseDeletes) {
    TempDir dir;
    std::string path = WriteSolidPng(dir, "tiles.png", 48, 24, Colors::Magenta.value);
    std::string gamePath = dir.path + "\\tiles.png";  // game paths use backslashes, kept as given
    int liveBefore = LiveTextureCount();
    uint32_t name = 0;
    {
        Sprite first(gamePath.c_str(), Color(0), 24, 24);
        name = first.texture.name;
        first.xOffset = 5.0f;
        Sprite second(gamePath.c_str(), Color(0), 24, 24);
        EXPECT_EQ(second.texture.name, name);
        EXPECT_EQ(second.texture.textureHeight, 32u);
        EXPECT_EQ(TextureNameForFile(gamePath.c_str()), name);
        EXPECT_EQ(TextureNameForFile(path.c_str()), 0u);
        {
            Sprite copy(first);
            EXPECT_EQ(copy.xOffset, 0.0f);
            Sprite assigned;
            assigned.xOffset = 7.0f;
            assigned = first;
            EXPECT_EQ(assigned.xOffset, 7.0f);
            EXPECT_EQ(assigned.gridWidth, 48);
            EXPECT_EQ(TextureReferenceCount(name), 4);
            assigned.texture.Release();  // with the destructor: one reference given up, not two
            EXPECT_EQ(TextureReferenceCount(name), 3);
        }
        EXPECT_EQ(TextureReferenceCount(name), 2);
        EXPECT_TRUE(glIsTexture(name));
        // Another colour key needs its own pixels.
        Sprite keyed(gamePath.c_str(), Colors::Magenta, 24, 24);
        EXPECT_NE(keyed.texture.name, name);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 2);
        EXPECT_EQ(TexturePixels(keyed.texture)[0], 0u);
        EXPECT_EQ(TexturePixels(first.texture)[0], Colors::Magenta.value);
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(TextureNameForFile(gamePath.c_str()), 0u);
    EXPECT_EQ(TextureReferenceCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));
    Texture nothing, unknown;
    nothing.Release();
    unknown.name = 987654u;
    unknown.Release();
    EXPECT_EQ(TextureReferenceCount(0), -1);
    EXPECT_EQ(TextureReferenceCount(987654u), -1);
    EXPECT_EQ(LiveTextureCount(), liveBefore);
}

TEST_F(TextureGl, BadFilesAreReportedOneAfterAnotherAndChangeNothing) {
    TempDir dir;
    std::string good = WriteSolidPng(dir, "good.png", 8, 8, Colors::Red.value);
    std::vector<unsigned char> valid = EncodePng(RgbaPicture(8, 8, std::vector<uint32_t>(64, 1)));
    WriteBytes(dir / "empty.png", {});
    WriteBytes(dir / "cut.png", std::vector<unsigned char>(valid.begin(), valid.begin() + 40));
    valid[29] ^= 0xFF;  // the last byte of the header chunk's checksum
    WriteBytes(dir / "crc.png", valid);
    WriteBytes(dir / "huge.png", HeaderOnlyPng(20000, 20000));
    WriteBytes(dir / "text.png", {'h', 'e', 'l', 'l', 'o'});

    SetErrorDialogsAllowed(false);
    std::vector<std::string> lines;
    SetLogSink([&](const std::string& line) { lines.push_back(line); });
    int errorsBefore = ErrorCount();
    Sprite missing((dir / "none.png").c_str(), Color(0));
    Sprite directory(dir.path.c_str(), Color(0));
    EXPECT_EQ(missing.texture.name + directory.texture.name, 0u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Error: Cannot find file " + dir / "none.png");

    Sprite held(good.c_str(), Color(0));
    uint32_t before = held.texture.name;
    int liveBefore = LiveTextureCount();
    const std::vector<std::pair<std::string, int>> broken = {
        {"empty.png", 1}, {"text.png", 2}, {"cut.png", 3}, {"crc.png", 4}, {"huge.png", 5}};
    for (const auto& [file, number] : broken) {
        lines.clear();
        held.texture.Load((dir / file).c_str(), Color(0));
        std::string error = "PNG Error: " + std::to_string(number);
        EXPECT_EQ(lines, (std::vector<std::string>{error, error + "\n in loading sprite " + dir / file}));
        EXPECT_EQ(held.texture.name, before);
        EXPECT_EQ(held.texture.imageWidth, 8u);
        EXPECT_EQ(TextureNameForFile((dir / file).c_str()), 0u);
    }
    SetLogSink(nullptr);
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(ErrorCount(), errorsBefore + 2 + int(broken.size()));
    EXPECT_EQ(TextureReferenceCount(before), 1);
}

TEST(TextureGlContexts, AFreshGlContextLoadsTheFileAgain) {
    TempDir dir;
    std::string path = WriteSolidPng(dir, "moon.png", 4, 4, Colors::Yellow.value);
    {
        GlWindow first;
        ASSERT_TRUE(first.Open());
        Texture fromFirstContext;  // never released: its context goes away under it
        fromFirstContext.Load(path.c_str(), Color(0));
        ASSERT_NE(fromFirstContext.name, 0u);
    }
    GlWindow second;
    ASSERT_TRUE(second.Open());
    Texture again;
    again.Load(path.c_str(), Color(0));
    EXPECT_TRUE(glIsTexture(again.name));
    EXPECT_EQ(TexturePixels(again)[0], Colors::Yellow.value);
    again.Release();
}
