#include "world/LevelFile.h"
#include "platform/Files.h"
#include <algorithm>
#include <cstdio>

namespace LevelFile {

const char* const kTileBase = "tiles\\tile";
const char* const kStairBase = "tiles\\stair";
const char* const kBackgroundBase = "bg\\bg";
const char* const kAnimatedTileBase = "tiles\\tileani";

const std::vector<RawLayout>& RawTableLayouts() {
    static const std::vector<RawLayout> layouts = {
        {12, 'h', "iihbb"}, {13, 'h', "iiihbhiih"}, {14, 'h', "iiib"},  {16, 'b', "iibb"},
        {17, 'b', "iib"},   {18, 'q', "hhbb"},      {22, 'h', "iibib"}, {23, 'h', "iihhhh"},
        {24, 'h', "iihhh"}, {26, 'h', "iih"},       {27, 'h', "hhh"},   {28, 'h', "ihh"},
    };
    return layouts;
}

const RawLayout* FindRawLayout(int section) {
    for (const RawLayout& layout : RawTableLayouts())
        if (layout.section == section) return &layout;
    return nullptr;
}

LevelData::LevelData() : rawTables(RawTableLayouts().size()) {
    mainGrid.headerUnused.assign(1, 0);
    backGrid.headerUnused.assign(2, 0);
    // A grid of one skipped cell, its stream a single skip count of 1.
    for (CellGrid* grid : {&mainGrid, &middleGrid, &backGrid}) {
        grid->cells.assign(1, kSkippedCell);
        grid->lastSkip = 1;
    }
}

Counted<RawRecord>& LevelData::RawTable(int section) {
    return rawTables[size_t(FindRawLayout(section) - RawTableLayouts().data())];
}

const Counted<RawRecord>& LevelData::RawTable(int section) const {
    return rawTables[size_t(FindRawLayout(section) - RawTableLayouts().data())];
}

int64_t CountOf(int64_t stored, char countType) {
    int64_t count = 0;
    if (countType == 'b') count = uint8_t(stored);
    else if (countType == 'q') count = int16_t(uint16_t(stored & 0xFFFF));
    else count = int16_t(uint16_t(stored));
    return std::max<int64_t>(count, 0);
}

int64_t CountFieldFor(int64_t stored, size_t n, char countType) {
    if (CountOf(stored, countType) == int64_t(n)) return stored;
    if (countType == 'q') return (stored & 0xFFFF0000) | int64_t(n & 0xFFFF);
    return int64_t(n);
}

std::string PictureFileName(const char* base, int number) {
    std::string name = base;
    for (int limit : {1000, 100, 10})
        if (number < limit) name += "0";
    return name + std::to_string(number) + ".png";
}

std::vector<std::string> PictureFiles(const LevelData& level) {
    std::vector<std::string> files;
    for (int16_t n : level.tilePictures.items) files.push_back(PictureFileName(kTileBase, n));
    for (uint8_t n : level.stairPictures.items) files.push_back(PictureFileName(kStairBase, n));
    for (const Background& b : level.backgrounds.items) files.push_back(PictureFileName(kBackgroundBase, b.picture));
    const std::vector<int16_t>& animated = level.animatedTiles.items;
    for (size_t i = 0; i < animated.size() && i < size_t(kMaxAnimatedTiles); ++i)
        files.push_back(PictureFileName(kAnimatedTileBase, animated[i]));
    return files;
}

namespace {

// Little-endian fields from a buffer; a read past the end leaves `failed`
// set and gives 0, so a short file never reads outside its buffer.
class ByteReader {
public:
    ByteReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    bool Failed() const { return failed_; }
    size_t Remaining() const { return size_ - position_; }
    size_t Position() const { return position_; }

    uint32_t Unsigned(int width) {
        if (failed_ || Remaining() < size_t(width)) {
            failed_ = true;
            return 0;
        }
        uint32_t value = 0;
        for (int i = 0; i < width; ++i) value |= uint32_t(bytes_[position_ + size_t(i)]) << (8 * i);
        position_ += size_t(width);
        return value;
    }
    uint8_t U8() { return uint8_t(Unsigned(1)); }
    int16_t I16() { return int16_t(uint16_t(Unsigned(2))); }
    int32_t I32() { return int32_t(Unsigned(4)); }
    int32_t Field(char type) {
        if (type == 'i') return I32();
        if (type == 'h') return I16();
        return U8();
    }
    std::vector<uint8_t> Bytes(size_t n) {
        if (failed_ || Remaining() < n) {
            failed_ = true;
            return {};
        }
        std::vector<uint8_t> out(bytes_ + position_, bytes_ + position_ + n);
        position_ += n;
        return out;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
    bool failed_ = false;
};

class ByteWriter {
public:
    void Unsigned(uint32_t value, int width) {
        for (int i = 0; i < width; ++i) bytes.push_back(uint8_t(value >> (8 * i)));
    }
    void U8(int64_t v) { Unsigned(uint32_t(v), 1); }
    void I16(int64_t v) { Unsigned(uint32_t(v), 2); }
    void I32(int64_t v) { Unsigned(uint32_t(v), 4); }
    void Field(char type, int64_t v) { Unsigned(uint32_t(v), type == 'i' ? 4 : type == 'h' ? 2 : 1); }

    std::vector<uint8_t> bytes;
};

// Reading stops at the first problem; the reason names it for a stage maker.
class LevelReader {
public:
    LevelReader(const uint8_t* bytes, size_t size, LevelData& level) : in_(bytes, size), level_(level) {}

    bool Read(std::string& reason, Trailing trailing) {
        bool ok = Header() && Pictures() && Markers() && StartPoints() && Definitions() &&
                  Grid(level_.mainGrid, "main grid") && Grid(level_.middleGrid, "middle grid") && Backgrounds() &&
                  RawTables(12, 18) && Grid(level_.backGrid, "back grid") && AnimatedTiles() && RawTables(22, 24) &&
                  Section25() && RawTables(26, 28);
        if (ok && trailing == Trailing::Keep) level_.trailing = in_.Bytes(in_.Remaining());
        reason = reason_;
        return ok;
    }

private:
    // True while the reads so far stayed inside the file.
    bool InFile(const char* section) {
        if (!in_.Failed()) return true;
        if (reason_.empty()) reason_ = std::string("the file ends early, in the ") + section;
        return false;
    }
    bool Refuse(const std::string& why) {
        reason_ = why;
        return false;
    }

    template <typename T, typename ReadOne>
    bool List(Counted<T>& list, char countType, int64_t limit, const char* what, ReadOne readOne) {
        list.stored = countType == 'b' ? in_.U8() : countType == 'q' ? int64_t(uint32_t(in_.I32())) : in_.I16();
        if (!InFile(what)) return false;
        int64_t count = CountOf(list.stored, countType);
        if (count > limit)
            return Refuse("too many " + std::string(what) + " (" + std::to_string(count) + ", at most " +
                          std::to_string(limit) + ")");
        for (int64_t i = 0; i < count && !in_.Failed(); ++i) list.items.push_back(readOne());
        return InFile(what);
    }

    bool Header() {
        for (int16_t& field : level_.header) field = in_.I16();
        if (!InFile("header")) return Refuse("the file is too short for a level header");
        const int16_t* h = level_.header;
        bool match = h[0] == 0 && h[1] == 0 && h[2] == 0 && h[3] == 0 && h[4] == 0 && h[5] == kHeaderMark;
        return match || Refuse("the header is not five zeros and 54");
    }

    bool Pictures() {
        if (!List(level_.tilePictures, 'h', kMaxTilePictures, "tile pictures", [&] { return in_.I16(); })) return false;
        if (!List(level_.stairPictures, 'b', 255, "stair pictures", [&] { return in_.U8(); })) return false;
        level_.boundsLeft = in_.I32();
        level_.boundsTop = in_.I32();
        level_.boundsRight = in_.I32();
        level_.boundsBottom = in_.I32();
        for (int16_t& field : level_.section5) field = in_.I16();
        return InFile("camera bounds");
    }

    bool Markers() {
        return List(level_.markers, 'b', 255, "named markers", [&] {
            NamedMarker marker;
            marker.a = in_.I32();
            marker.b = in_.I32();
            marker.c = in_.U8();
            marker.d = in_.U8();
            marker.length = in_.I32();
            marker.bytes = in_.Bytes(size_t(std::max(marker.length, 0)));
            return marker;
        });
    }

    bool StartPoints() {
        return List(level_.startPoints, 'b', 255, "start points", [&] {
            StartPoint point;
            point.x = in_.I32();
            point.y = in_.I32();
            point.a = in_.U8();
            point.b = in_.U8();
            return point;
        });
    }

    bool Definitions() {
        return List(level_.tileDefinitions, 'h', kMaxTileDefinitions, "tile definitions", [&] {
            TileDefinition definition;
            definition.picture = in_.I32();
            definition.flag20 = in_.U8();
            definition.flag40 = in_.U8();
            definition.unused = in_.I32();
            return definition;
        });
    }

    bool Grid(CellGrid& grid, const char* what) {
        for (int16_t& field : grid.headerUnused) field = in_.I16();
        grid.width = in_.I16();
        grid.height = in_.I16();
        if (!InFile(what)) return false;
        if (grid.width < 0 || grid.width > kMaxGridSize || grid.height < 0 || grid.height > kMaxGridSize)
            return Refuse(std::string("the ") + what + " size " + std::to_string(grid.width) + " by " +
                          std::to_string(grid.height) + " is outside 0 to " + std::to_string(kMaxGridSize));
        grid.cells.assign(size_t(grid.Columns()) * size_t(grid.Rows()), kSkippedCell);
        int skip = in_.I16();
        grid.lastSkip = int16_t(skip);
        // A negative skip count never comes back to zero: the rest stays empty.
        for (int16_t& cell : grid.cells) {
            if (in_.Failed()) break;
            if (skip != 0) {
                if (skip > 0) --skip;
                continue;
            }
            cell = in_.U8();
            skip = in_.I16();
            grid.lastSkip = int16_t(skip);
        }
        return InFile(what);
    }

    bool Backgrounds() {
        return List(level_.backgrounds, 'b', 255, "background layers", [&] {
            Background layer;
            layer.x = in_.I32();
            layer.y = in_.I32();
            layer.horizontalDivisor = in_.I16();
            layer.verticalDivisor = in_.I16();
            layer.picture = in_.U8();
            layer.colorKeySelector = in_.U8();
            layer.frameWidth = in_.I16();
            layer.frameHeight = in_.I16();
            layer.unused = in_.I16();
            return layer;
        });
    }

    // The tables read past from section `first` to section `last`, with the
    // fixed fields that sit between them.
    bool RawTables(int first, int last) {
        for (int section = first; section <= last; ++section) {
            if (section == 15) {
                for (uint8_t& field : level_.section15) field = in_.U8();
                if (!InFile("fields of section 15")) return false;
                continue;
            }
            const RawLayout& layout = *FindRawLayout(section);
            std::string what = "table of section " + std::to_string(section);
            if (!List(level_.RawTable(section), layout.countType, 0xFFFF, what.c_str(), [&] {
                    RawRecord record;
                    for (const char* f = layout.fields; *f; ++f) record.push_back(in_.Field(*f));
                    return record;
                }))
                return false;
        }
        return true;
    }

    bool AnimatedTiles() {
        level_.section20 = in_.I16();
        if (!InFile("field of section 20")) return false;
        return List(level_.animatedTiles, 'h', 0x7FFF, "animated tile pictures", [&] { return in_.I16(); });
    }

    bool Section25() {
        for (int16_t& field : level_.section25) field = in_.I16();
        return InFile("fields of section 25");
    }

    ByteReader in_;
    LevelData& level_;
    std::string reason_;
};

class LevelWriter {
public:
    explicit LevelWriter(const LevelData& level) : level_(level) {}

    std::vector<uint8_t> Write() {
        for (int16_t field : level_.header) out_.I16(field);
        List(level_.tilePictures, 'h', [&](int16_t n) { out_.I16(n); });
        List(level_.stairPictures, 'b', [&](uint8_t n) { out_.U8(n); });
        for (int32_t bound : {level_.boundsLeft, level_.boundsTop, level_.boundsRight, level_.boundsBottom})
            out_.I32(bound);
        for (int16_t field : level_.section5) out_.I16(field);
        List(level_.markers, 'b', [&](const NamedMarker& m) {
            out_.I32(m.a);
            out_.I32(m.b);
            out_.U8(m.c);
            out_.U8(m.d);
            out_.I32(size_t(std::max(m.length, 0)) == m.bytes.size() ? m.length : int32_t(m.bytes.size()));
            out_.bytes.insert(out_.bytes.end(), m.bytes.begin(), m.bytes.end());
        });
        List(level_.startPoints, 'b', [&](const StartPoint& p) {
            out_.I32(p.x);
            out_.I32(p.y);
            out_.U8(p.a);
            out_.U8(p.b);
        });
        List(level_.tileDefinitions, 'h', [&](const TileDefinition& d) {
            out_.I32(d.picture);
            out_.U8(d.flag20);
            out_.U8(d.flag40);
            out_.I32(d.unused);
        });
        Grid(level_.mainGrid);
        Grid(level_.middleGrid);
        List(level_.backgrounds, 'b', [&](const Background& b) {
            out_.I32(b.x);
            out_.I32(b.y);
            out_.I16(b.horizontalDivisor);
            out_.I16(b.verticalDivisor);
            out_.U8(b.picture);
            out_.U8(b.colorKeySelector);
            out_.I16(b.frameWidth);
            out_.I16(b.frameHeight);
            out_.I16(b.unused);
        });
        RawTables(12, 14);
        for (uint8_t field : level_.section15) out_.U8(field);
        RawTables(16, 18);
        Grid(level_.backGrid);
        out_.I16(level_.section20);
        List(level_.animatedTiles, 'h', [&](int16_t n) { out_.I16(n); });
        RawTables(22, 24);
        for (int16_t field : level_.section25) out_.I16(field);
        RawTables(26, 28);
        out_.bytes.insert(out_.bytes.end(), level_.trailing.begin(), level_.trailing.end());
        return std::move(out_.bytes);
    }

private:
    template <typename T, typename WriteOne>
    void List(const Counted<T>& list, char countType, WriteOne writeOne) {
        out_.Field(countType == 'q' ? 'i' : countType, CountFieldFor(list.stored, list.items.size(), countType));
        for (const T& item : list.items) writeOne(item);
    }

    // Literal cells are written with the number of skipped cells up to the
    // next literal; the last skip count is the stored one.
    void Grid(const CellGrid& grid) {
        for (int16_t field : grid.headerUnused) out_.I16(field);
        out_.I16(grid.width);
        out_.I16(grid.height);
        std::vector<size_t> literals;
        for (size_t i = 0; i < grid.cells.size(); ++i)
            if (grid.cells[i] != kSkippedCell) literals.push_back(i);
        out_.I16(literals.empty() ? grid.lastSkip : int16_t(literals[0]));
        for (size_t k = 0; k < literals.size(); ++k) {
            out_.U8(grid.cells[literals[k]]);
            out_.I16(k + 1 < literals.size() ? int16_t(literals[k + 1] - literals[k] - 1) : grid.lastSkip);
        }
    }

    void RawTables(int first, int last) {
        for (int section = first; section <= last; ++section) {
            const RawLayout& layout = *FindRawLayout(section);
            List(level_.RawTable(section), layout.countType, [&](const RawRecord& record) {
                for (size_t f = 0; layout.fields[f]; ++f)
                    out_.Field(layout.fields[f], f < record.size() ? record[f] : 0);
            });
        }
    }

    const LevelData& level_;
    ByteWriter out_;
};

}  // namespace

bool ReadLevel(const uint8_t* bytes, size_t size, LevelData& level, std::string& reason, Trailing trailing) {
    level = LevelData();
    return LevelReader(bytes, size, level).Read(reason, trailing);
}

bool ReadLevelFile(const std::string& gamePath, LevelData& level, std::string& reason, Trailing trailing) {
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(gamePath, kMaxLevelFileBytes, bytes, reason)) {
        reason = "the file cannot be read: " + reason;
        return false;
    }
    return ReadLevel(bytes.data(), bytes.size(), level, reason, trailing);
}

std::vector<uint8_t> WriteLevel(const LevelData& level) { return LevelWriter(level).Write(); }

}  // namespace LevelFile
