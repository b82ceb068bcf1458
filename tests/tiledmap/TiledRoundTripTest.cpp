#include "levelsource/LevelSource.h"
#include "support/GlWindow.h"
#include "support/RunGame.h"
#include "tiledmap/LevelMap.h"
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using LevelFile::LevelData;
using TiledMap::Format;

// Every section filled, with the values a map shows only through its
// properties: a picture beyond the list, a repeated picture, flag bytes
// past 1, a key carried over, positions past six digits, odd grid headers.
const char* const kEdgeLevel =
    "tiles 100 101 -5 100 1234\nstairs 10 11\nanimated 7 8\n"
    "bounds -123456789 3 19200 3600\nstart 600 2645 1 2\nstart 1234567 -2640\n"
    "fields 5 3 4\nfields 15 1 2 3\nfields 20 9\nmarker 1 2 3 4 2 abcd\nraw 12 1 2 3 4 5\nraw 18 1 2 3 4\n"
    "count 18 65537\ntrailing 0102\n"
    "tile -1 0 0\ntile 0 1 0\ntile 1 0 2 77\ntile 3 0 1\ntile 9 1 1\n"
    "background 0 0 0 0 10 2 320 240\nbackground 1234567 -5 3 -2 11 7 640 240 9\nbackground 0 0 1 1 12 1 320 240\n"
    "grid main 3 2\nunused 5\nhex\n|00010203\n|c8..04..\n|........\nend\n"
    "grid middle 2 1\ntail 9\nlegend a 1\nlegend z 35\n|a.z\n|...\nend\n"
    "grid back 0 0\nunused 1 2\nlegend q 26\n|q\nend\n";

std::string ReadBytes(const std::string& path) { return ReadTextFile(path); }

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

std::vector<uint8_t> ImportBytes(const std::string& text, Format format) {
    LevelData level;
    std::string error;
    EXPECT_TRUE(LevelMap::Import(text, format, level, error)) << error;
    return LevelFile::WriteLevel(level);
}

RunResult Tiled(const std::string& format, const std::string& in, const std::string& out) {
    return RunProgram("/usr/bin/env", {"QT_QPA_PLATFORM=offscreen", "tiled", "--export-map", format, in, out});
}

}  // namespace

// Export, import and compile give back the bytes of every shipped stage and
// of a level that fills every section, in both formats, also after Tiled
// itself has read and written the map (run on the edge level and on one
// stage: each start of Tiled costs most of a second).
TEST(TiledMap, LevelsSurviveExportImportAndTiledItself) {
    TempDir dir;
    std::ofstream(dir / "edge.txt") << kEdgeLevel;
    RunResult compiled = RunProgram(ToolPath("level"), {"compile", dir / "edge.txt", dir / "edge"});
    ASSERT_EQ(compiled.exitCode, 0) << compiled.output;
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
    for (const std::string& level : {dir / "edge", levels.front()}) {
        std::string original = ReadBytes(level);
        RunResult exported = RunProgram(ToolPath("level"), {"export", level, dir / "map.tmx", "--data", dir.path});
        ASSERT_EQ(exported.exitCode, 0) << exported.output;
        ASSERT_EQ(Tiled("json", dir / "map.tmx", dir / "tiled.tmj").exitCode, 0);
        ASSERT_EQ(Tiled("tmx", dir / "tiled.tmj", dir / "tiled.tmx").exitCode, 0);
        for (const char* map : {"map.tmx", "tiled.tmj", "tiled.tmx"}) {
            RunResult imported = RunProgram(ToolPath("level"), {"import", dir / map, dir / "back"});
            EXPECT_EQ(imported.exitCode, 0) << map << imported.output;
            EXPECT_EQ(ReadBytes(dir / "back"), original) << level << " through " << map;
        }
    }
}

// What the game cannot hold is refused with the element named; layer data
// is read in every encoding Tiled writes but zstd.
TEST(TiledMap, ImportRefusesWhatTheGameCannotHoldAndReadsEveryEncoding) {
    LevelData level;
    std::string text = LevelMap::Export(level, Format::Tmx, "");
    auto replaced = [&text](const std::string& from, const std::string& to) {
        std::string changed = text;
        size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? changed : changed.replace(at, from.size(), to);
    };
    const std::string back = "<layer id=\"1\" name=\"back\"";
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
