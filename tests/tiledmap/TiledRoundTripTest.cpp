#include "base/SharedConstants.h"
#include "platform/PngDecode.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "levelsource/LevelSource.h"
#include "tiledmap/LevelMap.h"
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <gtest/gtest.h>

namespace {

using LevelFile::LevelData;
using TiledMap::Format;

// Every section filled, with the values a map shows only through its
// properties: a picture beyond the list, a repeated picture, flag bytes
// past 1, a key carried over, positions past six digits, odd grid headers,
// a play marker between two others and a second one, things among them.
const char* const kEdgeLevel =
    "tiles 100 101 -5 100 1234\nstairs 10 11\nanimated 7 8\n"
    "bounds -123456789 3 19200 3600\nstart 600 2645 1 2\nstart 1234567 -2640\n"
    "fields 5 3 4\nfields 15 1 2 3\nfields 20 9\nmarker 1 2 3 4 2 abcd\nplay whip=2 jump=100\n"
    "thing walker x=300 y=264 range=0\nmarker 5 6 7 8 0 -\nplay\nthing platform x=-5 y=4800 dx=-2400 speed=4\n"
    "thing lantern x=12 y=-2400\nraw 12 1 2 3 4 5\nraw 18 1 2 3 4\ncount 18 65537\ntrailing 0102\n"
    "tile -1 0 0\ntile 0 1 0\ntile 1 0 2 77\ntile 3 0 1\ntile 9 1 1\n"
    "background 0 0 0 0 10 2 320 240\nbackground 1234567 -5 3 -2 11 7 640 240 9\nbackground 0 0 1 1 12 1 320 240\n"
    "grid main 3 2\nunused 5\nhex\n|00010203\n|c8..04..\n|........\nend\n"
    "grid middle 2 1\ntail 9\nlegend a 1\nlegend z 35\n|a.z\n|...\nend\n"
    "grid back 0 0\nunused 1 2\nlegend q 26\n|q\nend\n";

// The largest level there is: 256 pictures, 255 definitions and layers,
// three grids of 100 by 100 cells holding every value and empty cells.
std::string LargestLevel() {
    std::ostringstream text;
    for (int i = 0; i < 256; ++i) text << "tiles " << 100 + i << "\n";
    for (int i = 0; i < 255; ++i)
        text << "tile " << i - 1 << ' ' << i % 3 << " 0\nbackground " << i * 9999 << ' ' << -i << ' ' << i % 7 << " 1 "
             << i << ' ' << i % 9 << " 320 240\n";
    const char digits[] = "0123456789abcdef";
    for (const char* grid : {"main", "middle", "back"}) {
        text << "grid " << grid << " 99 99\nhex\n";
        for (int cell = 0; cell < 100 * 100; ++cell) {
            int value = (cell * 37) % 300;
            text << (cell % 100 ? "" : "|") << (value > 255 ? '.' : digits[value / 16])
                 << (value > 255 ? '.' : digits[value % 16]) << (cell % 100 == 99 ? "\n" : "");
        }
        text << "end\n";
    }
    return text.str();
}

DecodedImage ReadPicture(const std::string& path) {
    std::string bytes = ReadTextFile(path);
    DecodedImage image;
    DecodePng(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 1 << 14, image);
    return image;
}

uint32_t PixelAt(const DecodedImage& image, int64_t x, int64_t y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return 0;
    const unsigned char* p = &image.rgba[(size_t(y) * image.width + size_t(x)) * 4];
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// Whether the game's shot leaves screen pixel (x, y) to the level: the hero
// (with room for his cape), the console's lines at the bottom and the
// collision overlay on every main-grid cell that collides are drawn over it.
bool LevelPixel(const LevelData& level, int x, int y, int64_t cx, int64_t cy, int64_t px, int64_t py, int console) {
    if (std::abs(x + cx - px) <= 14 && y + cy >= py - 50 && y + cy <= py + 2) return false;
    if (y >= kScreenHeight - 8 * console) return false;
    int64_t column = (x + cx) / kTileSize, row = (y + cy) / kTileSize;
    const LevelFile::CellGrid& main = level.mainGrid;
    if (x + cx < 0 || y + cy < 0 || column > main.width || row >= main.height) return true;
    int16_t cell = main.Cell(int(column), int(row));
    const auto& definitions = level.tileDefinitions.items;
    if (cell == LevelFile::kSkippedCell) cell = 0;
    return size_t(cell) >= definitions.size() ||
           (definitions[size_t(cell)].flag20 == 0 && definitions[size_t(cell)].flag40 == 0);
}

std::vector<std::string> ShippedLevels() {
    std::vector<std::string> names;
    DIR* dir = opendir((BuiltDataDir() + "/levels").c_str());
    while (dir)
        if (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') names.push_back(BuiltDataDir() + "/levels/" + entry->d_name);
        } else {
            closedir(dir);
            dir = nullptr;
        }
    return names;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::vector<uint8_t> ImportBytes(const std::string& text, Format format) {
    LevelData level;
    std::string error;
    EXPECT_TRUE(LevelMap::Import(text, format, level, error)) << error;
    return LevelFile::WriteLevel(level);
}

// A map with one more int property, as a stage maker adds it in Tiled.
std::string PlayProperty(const std::string& map, const std::string& name, int value) {
    return Replaced(map, "<tileset",
                    "<properties><property name=\"" + name + "\" type=\"int\" value=\"" + std::to_string(value) +
                        "\"/></properties><tileset");
}

// Runs a program of the Tiled package without a display, its settings
// and caches kept in `dir` (which the test removes).
RunResult TiledTool(const std::string& dir, std::vector<std::string> args) {
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "HOME=" + dir,           "XDG_CONFIG_HOME=" + dir,
                                    "XDG_DATA_HOME=" + dir,      "XDG_CACHE_HOME=" + dir, "XDG_RUNTIME_DIR=" + dir};
    args.insert(args.begin(), env.begin(), env.end());
    return RunProgram("/usr/bin/env", args);
}

RunResult Tiled(const std::string& dir, const std::string& format, const std::string& in, const std::string& out) {
    return TiledTool(dir, {"tiled", "--export-map", format, in, out});
}

}  // namespace

// Export, import and compile give back the bytes of every shipped stage and
// of a level that fills every section, in both formats, also after Tiled
// itself has read and written the map (run on the edge level, the largest
// level and one stage: each start of Tiled costs a fifth of a second).
TEST(TiledMap, LevelsSurviveExportImportAndTiledItself) {
    TempDir dir;
    std::ofstream(dir / "edge.txt") << kEdgeLevel;
    std::ofstream(dir / "largest.txt") << LargestLevel();
    for (const char* name : {"edge", "largest"}) {
        RunResult compiled = RunProgram(ToolPath("level"), {"compile", dir / name + ".txt", dir / name});
        ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
    }
    std::vector<std::string> levels = ShippedLevels();
    ASSERT_EQ(levels.size(), 10u);
    for (const std::string& path : levels) {
        LevelData level;
        std::string reason;
        ASSERT_TRUE(LevelFile::ReadLevelFile(path, level, reason)) << path << reason;
        std::vector<uint8_t> bytes = LevelFile::WriteLevel(level);
        for (Format format : {Format::Tmx, Format::Tmj})
            EXPECT_EQ(ImportBytes(LevelMap::Export(level, format, "../"), format), bytes) << path;
    }
    for (const std::string& level : {dir / "edge", dir / "largest", levels.front()}) {
        std::string original = ReadTextFile(level);
        RunResult exported = RunProgram(ToolPath("level"), {"export", "--data", dir.path, level, dir / "map.tmx"});
        ASSERT_EQ(exported.exitCode, 0) << exported.output;
        ASSERT_EQ(Tiled(dir.path, "json", dir / "map.tmx", dir / "tiled.tmj").exitCode, 0);
        ASSERT_EQ(Tiled(dir.path, "tmx", dir / "tiled.tmj", dir / "tiled.tmx").exitCode, 0);
        for (const char* map : {"map.tmx", "tiled.tmj", "tiled.tmx"}) {
            RunResult imported = RunProgram(ToolPath("level"), {"import", dir / map, dir / "back"});
            EXPECT_EQ(imported.exitCode, 0) << map << imported.output;
            EXPECT_EQ(ReadTextFile(dir / "back"), original) << level << " through " << map;
        }
    }
}

// What the game cannot hold is refused with the element named; layer data
// is read in every encoding Tiled writes but zstd.
TEST(TiledMap, ImportRefusesWhatTheGameCannotHoldAndReadsEveryEncoding) {
    LevelData level;
    std::string text = LevelMap::Export(level, Format::Tmx, "");
    auto replaced = [&text](const std::string& from, const std::string& to) { return Replaced(text, from, to); };
    const std::string back = "<layer id=\"1\" name=\"back\"";
    auto walker = [&replaced](const std::string& property) {
        return replaced("</objectgroup>", "<object type=\"walker\" x=\"1\" y=\"2\"><properties><property name=\"" +
                                              property +
                                              "\" type=\"int\" value=\"99\"/></properties><point/></object>"
                                              "</objectgroup>");
    };
    struct Case {
        std::string map, error;
    } cases[] = {
        {replaced(back, "<group name=\"g\"/>" + back), "group layer 'g'"},
        {replaced(back,
                  "<layer id=\"9\" name=\"front\" width=\"1\" height=\"1\"><data encoding=\"csv\">0</data>"
                  "</layer>" +
                      back),
         "tile layer 'front': the game has the tile layers back, middle and main"},
        {replaced("</map>", "<imagelayer name=\"sky\"><image source=\"bg/bg0001.png\"/></imagelayer></map>"),
         "image layer 'sky' lies above a tile layer"},
        {replaced("encoding=\"csv\">\n0\n", "encoding=\"csv\">\n2\n"),
         "tile layer 'back' at column 0, row 0 holds a tile of tileset 'definitions'; it takes pictures"},
        {replaced("encoding=\"csv\">\n0\n", "encoding=\"base64\" compression=\"zstd\">AAAA"),
         "tile layer 'back': zstd compression cannot be read"},
        {replaced("name=\"count\" type=\"int\" value=\"0\"", "name=\"count\" type=\"int\" value=\"257\""),
         "property 'count' of tileset 'pictures' is not a whole number from 0 to 256"},
        {replaced("type=\"bounds\"", "type=\"door\""), "object 0 of layer 'objects' has the type 'door'"},
        {replaced("type=\"bounds\"", "type=\"walker\""), "object 0 of layer 'objects' is a walker but no point"},
        {walker("hp"), "property 'hp' of object 1 of layer 'objects' is not a whole number from 1 to 40"},
        {walker("rnage"), "object 1 of layer 'objects' has the property 'rnage'; a walker has range, hp, drop"},
        {replaced("infinite=\"0\"", "infinite=\"1\""), "the map is infinite"},
        {PlayProperty(text, "play jump", 200), "property 'play jump' of the map is not a whole number from 24 to 144"},
        {PlayProperty(text, "play run", 1),
         "map property 'play run': the play fields are jump, hearts, lives and whip"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(LevelMap::Import(c.map, Format::Tmx, level, error)) << c.error;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
    std::vector<uint32_t> expected = {1, 0, 2, 300}, cells;
    std::string error;
    for (auto [encoding, compression, data] : {std::tuple{"csv", "", " 1,0,\n2, 300 "},
                                               {"base64", "", "AQAAAAAAAAACAAAALAEAAA=="},
                                               {"base64", "zlib", "eJxjZIAAJiDWYWRgAAAA4wAx"},
                                               {"base64", "gzip", "H4sIAAAAAAACA2NkgAAmINZhZGAAAAin0OsQAAAA"}}) {
        EXPECT_TRUE(TiledMap::DecodeCells(data, encoding, compression, 4, cells, error)) << error;
        EXPECT_EQ(cells, expected) << encoding << ' ' << compression;
        EXPECT_FALSE(TiledMap::DecodeCells(data, encoding, compression, 5, cells, error)) << encoding;
    }
}

// A play stage's fields are the map's own properties: editing one changes
// the stage and keeps the marker's place; one added to a map without play
// data makes a play stage, the other fields at their defaults. A thing's
// fields are its object's properties alike, and a thing added in Tiled comes
// after the other markers.
TEST(TiledMap, PlayFieldsAndThingsAreWhatAStageMakerEdits) {
    LevelData level;
    std::string error;
    ASSERT_TRUE(LevelSource::Compile(
        "marker 1 2 3 4 0 -\nplay whip=2 jump=100\nthing walker x=5 y=6 hp=17\nmarker 5 6 7 8 0 -\n", level, error));
    const std::string exported = LevelMap::Export(level, Format::Tmx, "");
    const std::string edited = Replaced(Replaced(exported, "\"100\"", "\"120\""), "\"17\"", "\"18\"");
    const std::string added = PlayProperty(LevelMap::Export(LevelData(), Format::Tmx, ""), "play jump", 90);
    const std::string walker = Replaced(exported, "</objectgroup>",
                                        "<object type=\"walker\" x=\"40.4\" y=\"48\"><point/></object></objectgroup>");
    for (auto [map, line] :
         {std::pair{edited,
                    "0 -\nplay jump=120 hearts=5 lives=3 whip=2\nthing walker x=5 y=6 range=72 hp=18 drop=0\nmarker"},
          {added, "\nplay jump=90 hearts=5 lives=3 whip=1\n"},
          {walker, "marker 5 6 7 8 0 -\nthing walker x=40 y=48 range=72 hp=1 drop=0\n"}}) {
        ASSERT_TRUE(LevelMap::Import(map, Format::Tmx, level, error)) << error;
        EXPECT_NE(LevelSource::Dump(level).find(line), std::string::npos) << LevelSource::Dump(level);
    }
}

// What tmxrasterizer draws of an exported stage is what the game shows of
// it, pixel for pixel, wherever the game draws the level alone. The
// rasterizer draws no parallax, so each image layer is first put where the
// game's camera puts it (with the map's parallax origin, Tiled's own view
// puts it there too).
TEST(TiledMap, TiledDrawsAStageAsTheGameDoes) {
    TempDir dir;
    // By the engine's rules: the stage without the play HUD over it, once
    // the stage's name has gone.
    RunResult run = RunGame({"--fast", "--steps", "130", "--level", "blk101", "--engine-rules", "--window", "320x240",
                             "--trace", dir / "trace", "--shot", "130:" + dir / "shot.png"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::string line = ReadLines(dir / "trace").back();
    double cx = 0, cy = 0, px = 0, py = 0, console = 0;
    std::string camera = JsonField(line, "camera"), player = JsonField(line, "player");
    ASSERT_EQ(sscanf(camera.c_str(), "[%lf,%lf]", &cx, &cy), 2);
    ASSERT_EQ(sscanf(player.c_str(), "[%lf,%lf]", &px, &py), 2);
    ASSERT_TRUE(JsonNumberField(line, "console", console));

    LevelData level;
    std::string reason;
    ASSERT_TRUE(LevelFile::ReadLevelFile(BuiltDataDir() + "/levels/blk101", level, reason)) << reason;
    for (LevelFile::Background& b : level.backgrounds.items) {
        b.x = int32_t(cx) + (b.horizontalDivisor ? b.x - int32_t(cx) / b.horizontalDivisor : b.x);
        b.y = int32_t(cy) + (b.verticalDivisor ? b.y - int32_t(cy) / b.verticalDivisor : b.y);
    }
    std::ofstream(dir / "view.tmx") << LevelMap::Export(level, Format::Tmx, BuiltDataDir() + "/");
    RunResult drawn = TiledTool(
        dir.path, {"tmxrasterizer", "--hide-layer", "objects", "--no-smoothing", dir / "view.tmx", dir / "map.png"});
    ASSERT_EQ(drawn.exitCode, 0) << drawn.output;
    // The picture starts at the top left of the map or of a layer left of it or above it.
    int64_t left = 0, top = 0;
    for (const LevelFile::Background& b : level.backgrounds.items) {
        left = std::min<int64_t>(left, b.x);
        top = std::min<int64_t>(top, b.y);
    }
    DecodedImage shot = ReadPicture(dir / "shot.png"), map = ReadPicture(dir / "map.png");
    ASSERT_EQ(shot.width, uint32_t(kScreenWidth));
    int compared = 0, differing = 0;
    for (int y = 0; y < kScreenHeight; ++y)
        for (int x = 0; x < kScreenWidth; ++x) {
            if (!LevelPixel(level, x, y, int64_t(cx), int64_t(cy), int64_t(px), int64_t(py), int(console))) continue;
            ++compared;
            uint32_t drawnPixel = PixelAt(map, x + int64_t(cx) - left, y + int64_t(cy) - top);
            if ((drawnPixel | 0xFF) != (PixelAt(shot, x, y) | 0xFF) && differing++ < 5)
                ADD_FAILURE() << "at " << x << "," << y << std::hex << " Tiled " << drawnPixel << " game "
                              << PixelAt(shot, x, y);
        }
    EXPECT_GT(compared, kScreenWidth * kScreenHeight / 3);
    EXPECT_EQ(differing, 0);
}

// A hostile map is refused with its reason and read no further than the map
// declares (no recursion as deep as the file, no memory that grows with it);
// an empty file says so; a gzip stream of several members is read whole.
TEST(TiledMap, HostileMapsAreRefusedEarlyAndEveryGzipMemberIsRead) {
    const std::string tmx = LevelMap::Export(LevelData(), Format::Tmx, "");
    const std::string tmj = LevelMap::Export(LevelData(), Format::Tmj, "");
    auto repeated = [](const std::string& what, size_t times) {
        std::string text;
        while (times--) text += what;
        return text;
    };
    const size_t tooMany = 262145;  // one past the bound on elements and values
    const std::string deep = "{\"name\":\"a\",\"value\":" + repeated("[", 100000) + repeated("]", 100000) + "},";
    struct Case {
        std::string name, map, error;
    } cases[] = {
        {"deep.tmj", Replaced(tmj, "\"properties\": [", "\"properties\": [" + deep), "nested more than 64 deep"},
        {"csv.tmx", Replaced(tmx, "csv\">", "csv\">" + repeated("0,", 5000)), "'back': more than 1 cells where"},
        {"tiles.tmx", Replaced(tmx, " encoding=\"csv\">\n0\n", ">" + repeated("<tile/>", tooMany)),
         "more than 262144 elements"},
        {"cells.tmj", Replaced(tmj, "\"data\": [", "\"data\": [" + repeated("0,", tooMany)), "more than 262144 values"},
        {"few.tmj", Replaced(tmj, "\"data\": [", "\"data\": [" + repeated("0,", 5000)), "'back': more than 1 cells"},
        {"b64.tmx", Replaced(tmx, "\"csv\">\n0\n", "\"base64\">AAAAAAAAAAA="), "more than 4 bytes of data where"},
        {"count.tmx", Replaced(tmx, "</tileset>", "<tile id=\"0\"/></tileset>"), "more tiles than its tilecount 0"},
        {"count.tmj", Replaced(tmj, "\"tiles\": []", "\"tiles\": [{\"id\":0}]"), "more tiles than its tilecount 0"},
        {"empty.tmx", "", "the file is empty"},
        {"empty.tmj", "", "the file is empty"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        std::ofstream(dir / c.name) << c.map;
        LevelData level;
        std::string error;
        Format format;
        ASSERT_TRUE(TiledMap::FormatOfPath(c.name, format));
        EXPECT_FALSE(LevelMap::ReadMapFile(dir / c.name, format, level, error)) << c.name;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
    }
    std::vector<uint32_t> cells, expected = {1, 0, 2, 300};
    std::string error;
    const char* twoMembers = "H4sIAAAAAAACA2NkgAAA99+IqQgAAAAfiwgAAAAAAAIDY2JgYNBhZGAAAKWiIcwIAAAA";
    EXPECT_TRUE(TiledMap::DecodeCells(twoMembers, "base64", "gzip", 4, cells, error)) << error;
    EXPECT_EQ(cells, expected);
}
