#include "PngTestFiles.h"
#include "base/Log.h"
#include "platform/ErrorBox.h"
#include "platform/Renderer.h"
#include "platform/Sprite.h"
#include "platform/Texture.h"
#include "support/GlWindow.h"
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::string WriteSolidPng(const TempDir& dir, const std::string& name, uint32_t width, uint32_t height,
                          uint32_t pixel) {
    WritePng(dir / name, RgbaPicture(width, height, std::vector<uint32_t>(width * height, pixel)));
    return dir / name;
}

using TextureGl = GlTest;
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
        Sprite second(gamePath.c_str(), Color(0), 24, 24);
        EXPECT_EQ(second.texture.name, name);
        EXPECT_EQ(TextureNameForFile(path.c_str()), 0u);
        {
            Sprite copy(first), assigned;
            assigned = first;
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
    }
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(TextureNameForFile(gamePath.c_str()), 0u);
    EXPECT_EQ(TextureReferenceCount(name), 0);
    EXPECT_FALSE(glIsTexture(name));
    Texture unknown;
    unknown.name = 987654u;
    unknown.Release();
    EXPECT_EQ(LiveTextureCount(), liveBefore);
}

// A picture one pixel high, its texture as high, is drawn like any other.
TEST_F(TextureGl, APictureOnePixelHighIsDrawn) {
    TempDir dir;
    Sprite line(WriteSolidPng(dir, "line.png", 4, 1, 0xFF2040C0u).c_str(), Color(0), 4, 1);
    ClearScreen();
    line.Draw(10, 10, 0, 0, 1.0f, 0, Color(0xFFFFFFFFu));
    EXPECT_NE(window.Pixel(11, 10), window.Pixel(11, 11));
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
    EXPECT_EQ(lines[0], "Error: Cannot read file " + dir / "none.png" + ": No such file or directory");

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
    // A message longer than the error box's buffer is cut, not overrun.
    lines.clear();
    ShowError("%s", std::string(20000, 'x').c_str());
    EXPECT_EQ(lines.at(0).size(), 16383u);
    SetLogSink(nullptr);
    EXPECT_EQ(LiveTextureCount(), liveBefore);
    EXPECT_EQ(ErrorCount(), errorsBefore + 3 + int(broken.size()));
    EXPECT_EQ(TextureReferenceCount(before), 1);
}
