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

GLint TextureParameter(const Texture& texture, GLenum parameter) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
    return value;
}

std::string WriteSolidPng(const std::string& dir, const std::string& name, uint32_t width,
                          uint32_t height, uint32_t pixel) {
    std::string path = dir + "/" + name;
    WritePng(path, RgbaPicture(width, height, std::vector<uint32_t>(width * height, pixel)));
    return path;
}

// Collects what the loader prints and shows while it lives.
class MessageCapture {
public:
    MessageCapture() {
        SetErrorDialogsAllowed(false);
        SetLogSink([this](const std::string& line) { lines.push_back(line); });
    }
    ~MessageCapture() { SetLogSink(nullptr); }
    std::vector<std::string> lines;
};
}

TEST(TextureGl, PicturesAreKeyedPaddedAndUploadedWithNearestClampedSampling) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string dir = MakeTempDir();
    std::vector<uint32_t> pixels(33 * 16, Rgba(10, 20, 30, 255));
    pixels[0] = Colors::Magenta.value;
    pixels[1] = Rgba(255, 0, 255, 254);
    pixels[33 * 16 - 1] = Rgba(200, 100, 50, 255);
    WritePng(dir + "/sheet.png", RgbaPicture(33, 16, pixels));
    Texture sheet;
    sheet.Load((dir + "/sheet.png").c_str(), Colors::Magenta);
    ASSERT_NE(sheet.name, 0u);
    EXPECT_EQ(sheet.imageWidth, 33u);
    EXPECT_EQ(sheet.imageHeight, 16u);
    EXPECT_EQ(sheet.textureWidth, 64u);
    EXPECT_EQ(sheet.textureHeight, 16u);
    std::vector<uint32_t> texels = TexturePixels(sheet);
    EXPECT_EQ(texels[0], 0u);
    EXPECT_EQ(texels[1], Rgba(255, 0, 255, 254));
    EXPECT_EQ(texels[2], Rgba(10, 20, 30, 255));
    EXPECT_EQ(texels[15 * 64 + 32], Rgba(200, 100, 50, 255));
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 33; x < 64; ++x) ASSERT_EQ(texels[y * 64 + x], 0u) << x << "," << y;
    EXPECT_EQ(TextureParameter(sheet, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(TextureParameter(sheet, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(TextureParameter(sheet, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(TextureParameter(sheet, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);

    Texture single;
    single.Load(WriteSolidPng(dir, "one.png", 1, 1, 0x80402010u).c_str(), Color(0));
    EXPECT_EQ(single.textureWidth, 1u);
    EXPECT_EQ(single.textureHeight, 1u);
    EXPECT_EQ(TexturePixels(single), (std::vector<uint32_t>{0x80402010u}));
    for (Texture* texture : {&sheet, &single}) texture->Release();
}

TEST(TextureGl, ReferencesFollowCopiesAndTheLastReleaseDeletesTheTexture) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string path = WriteSolidPng(MakeTempDir(), "hero.png", 16, 16, Colors::Red.value);
    int liveBefore = LiveTextureCount();
    uint32_t name = 0;
    {
        Sprite first(path.c_str(), Color(0), 8, 8);
        name = first.texture.name;
        ASSERT_NE(name, 0u);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 1);
        EXPECT_EQ(TextureReferenceCount(name), 1);
        EXPECT_EQ(TextureNameForFile(path.c_str()), name);
        first.xOffset = 5.0f;
        {
            Sprite copy(first);
            EXPECT_EQ(copy.xOffset, 0.0f);
            EXPECT_EQ(copy.frameWidth, 8);
            EXPECT_EQ(TextureReferenceCount(name), 2);
            Sprite assigned;
            assigned.xOffset = 7.0f;
            assigned = first;
            EXPECT_EQ(assigned.xOffset, 7.0f);
            EXPECT_EQ(assigned.gridWidth, 16);
            EXPECT_EQ(TextureReferenceCount(name), 3);
            // An explicit release followed by the destructor gives up one
            // reference, not two.
            assigned.texture.Release();
            EXPECT_EQ(TextureReferenceCount(name), 2);
            EXPECT_EQ(assigned.texture.name, name);
        }
        EXPECT_EQ(TextureReferenceCount(name), 1);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 1);
        EXPECT_TRUE(glIsTexture(name));
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(TextureNameForFile(path.c_str()), 0u);
    EXPECT_EQ(TextureReferenceCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));

    Texture nothing;
    nothing.Release();
    Texture unknown;
    unknown.name = 987654u;
    unknown.Release();
    EXPECT_EQ(TextureReferenceCount(0), -1);
    EXPECT_EQ(TextureReferenceCount(987654u), -1);
    EXPECT_EQ(LiveTextureCount(), liveBefore);
}

TEST(TextureGl, ARepeatedLoadOfALiveFileSharesItsTexture) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string dir = MakeTempDir();
    std::string path = WriteSolidPng(dir, "tiles.png", 48, 24, Colors::Magenta.value);
    // Game paths use backslashes; the table keys the path as given.
    std::string gamePath = dir + "\\tiles.png";
    int liveBefore = LiveTextureCount();
    {
        Sprite first(gamePath.c_str(), Color(0), 24, 24);
        Sprite second(gamePath.c_str(), Color(0), 24, 24);
        EXPECT_EQ(second.texture.name, first.texture.name);
        EXPECT_EQ(second.texture.imageWidth, 48u);
        EXPECT_EQ(second.texture.textureWidth, 64u);
        EXPECT_EQ(second.texture.textureHeight, 32u);
        EXPECT_EQ(TextureReferenceCount(first.texture.name), 2);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 1);
        EXPECT_EQ(TextureNameForFile(path.c_str()), 0u);
        // Another colour key needs its own pixels.
        Sprite keyed(gamePath.c_str(), Colors::Magenta, 24, 24);
        EXPECT_NE(keyed.texture.name, first.texture.name);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 2);
        EXPECT_EQ(TexturePixels(keyed.texture)[0], 0u);
        EXPECT_EQ(TexturePixels(first.texture)[0], Colors::Magenta.value);
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    {
        Sprite again(gamePath.c_str(), Color(0), 24, 24);
        EXPECT_EQ(TextureReferenceCount(again.texture.name), 1);
        EXPECT_EQ(LiveTextureCount(), liveBefore + 1);
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
}

TEST(TextureGl, BadFilesAreReportedOneAfterAnotherAndChangeNothing) {
    GlWindow window;
    ASSERT_TRUE(window.Open());
    std::string dir = MakeTempDir();
    std::string good = WriteSolidPng(dir, "good.png", 8, 8, Colors::Red.value);
    std::vector<unsigned char> valid = EncodePng(RgbaPicture(8, 8, std::vector<uint32_t>(64, 1)));
    WriteBytes(dir + "/empty.png", {});
    WriteBytes(dir + "/cut.png", std::vector<unsigned char>(valid.begin(), valid.begin() + 40));
    std::vector<unsigned char> badCrc = valid;
    badCrc[29] ^= 0xFF;  // the last byte of the header chunk's checksum
    WriteBytes(dir + "/crc.png", badCrc);
    WriteBytes(dir + "/huge.png", HeaderOnlyPng(20000, 20000));
    WriteBytes(dir + "/text.png", {'h', 'e', 'l', 'l', 'o'});

    MessageCapture messages;
    int errorsBefore = ErrorCount();
    Sprite missing((dir + "/none.png").c_str(), Color(0));
    EXPECT_EQ(missing.texture.name, 0u);
    Sprite directory(dir.c_str(), Color(0));
    EXPECT_EQ(directory.texture.name, 0u);
    ASSERT_EQ(messages.lines.size(), 2u);
    EXPECT_EQ(messages.lines[0], "Error: Cannot find file " + dir + "/none.png");

    Sprite held(good.c_str(), Color(0));
    Texture before = held.texture;
    int liveBefore = LiveTextureCount();
    const std::vector<std::pair<std::string, int>> broken = {
        {"empty.png", 1}, {"text.png", 2}, {"cut.png", 3}, {"crc.png", 4}, {"huge.png", 5}};
    for (const auto& [file, number] : broken) {
        messages.lines.clear();
        std::string path = dir + "/" + file;
        held.texture.Load(path.c_str(), Color(0));
        ASSERT_EQ(messages.lines.size(), 2u) << file;
        EXPECT_EQ(messages.lines[0], "PNG Error: " + std::to_string(number));
        EXPECT_EQ(messages.lines[1],
                  "PNG Error: " + std::to_string(number) + "\n in loading sprite " + path);
        EXPECT_EQ(held.texture.name, before.name);
        EXPECT_EQ(held.texture.imageWidth, 8u);
        EXPECT_EQ(TextureNameForFile(path.c_str()), 0u);
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(ErrorCount(), errorsBefore + 2 + int(broken.size()));
    EXPECT_EQ(TextureReferenceCount(before.name), 2);
    before.Release();
}

TEST(TextureGl, AFreshGlContextLoadsTheFileAgain) {
    std::string dir = MakeTempDir();
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
