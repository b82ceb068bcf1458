#pragma once
#include "base/Color.h"
#include "platform/DrawList.h"
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include <vector>

// A real GL window (on SDL's offscreen driver under `make test`), with the
// logical 320 by 240 screen set up as the game does.
class GlWindow {
public:
    GlWindow(int width = 320, int height = 240);
    ~GlWindow();
    bool Open() const { return open_; }
    // The colour at window pixel (x, y), counted from the top-left corner.
    Color Pixel(int x, int y) const;
    // The colour at logical pixel (x, y) of a 320 by 240 window.
    Color LogicalPixel(int x, int y) const { return Pixel(x, y); }

private:
    int width_;
    int height_;
    bool open_ = false;
};

// Every pixel of the window's back buffer, rows from the top.
std::vector<uint32_t> ReadScreen(int width, int height);

// The quads that `draw` draws, recorded instead of drawn.
template <typename Draw>
DrawList Recorded(Draw draw) {
    DrawList list;
    RecordQuadsInto(&list);
    draw();
    RecordQuadsInto(nullptr);
    return list;
}

// Checks that each window pixel (x, y) has its colour, naming those that do not.
struct ExpectedPixel {
    int x, y;
    Color color;
};
void ExpectPixels(const GlWindow& window, const std::vector<ExpectedPixel>& pixels);

// A test that draws into a 320 by 240 window open for the whole test.
class GlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window.Open()); }
    GlWindow window;
};

// Reads the whole file into a string ("" when missing).
std::string ReadTextFile(const std::string& path);
// A fresh empty directory under the system's temporary folder ($TMPDIR or
// /tmp), removed with what it holds when the test program ends.
std::string MakeTempDir();
// A fresh temporary directory that is removed, with all it holds, when the
// object goes out of scope.
struct TempDir {
    TempDir();
    ~TempDir();
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::string path;
};
