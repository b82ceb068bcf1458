#include "levelsource/LevelSource.h"
#include "world/PlayRules.h"
#include "things/ThingPlacement.h"
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <algorithm>
#include <map>
#include <optional>
#include <sstream>
#include <tuple>

namespace LevelSource {
using namespace LevelFile;

const char* const kPlayLine = "play";
const char* const kThingLine = "thing";

namespace {

// The cell symbols a dump uses for the values 0 to 61.
const std::string kSymbols = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char kHexDigits[] = "0123456789abcdef";
// Sections run from 0 to this one.
constexpr int kLastSection = 28;

struct FixedFields {
    int section;
    char type;
    size_t count;
};
const FixedFields kFixedFields[] = {{5, 'h', 2}, {15, 'b', 3}, {20, 'h', 1}, {25, 'h', 50}};

// The words of a line up to a comment: a word starting with '#'. The
// symbol of a legend line is its second word, whatever it is.
std::vector<std::string> Split(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> tokens;
    for (std::string token; stream >> token;) {
        bool symbol = tokens.size() == 1 && tokens[0] == "legend";
        if (token[0] == '#' && !symbol) break;
        tokens.push_back(token);
    }
    return tokens;
}

bool InRange(int64_t value, char type) {
    if (type == 'b') return value >= 0 && value <= 255;
    if (type == 'h') return value >= INT16_MIN && value <= INT16_MAX;
    return value >= INT32_MIN && value <= INT32_MAX;
}

const char* TypeName(char type) {
    return type == 'b' ? "0 to 255" : type == 'h' ? "a 16-bit number" : "a 32-bit number";
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return "-";
    std::string text;
    for (uint8_t b : bytes) {
        text += kHexDigits[b >> 4];
        text += kHexDigits[b & 15];
    }
    return text;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Where a count field of a section lives, and how many records follow it.
struct CountSlot {
    int64_t* stored = nullptr;
    size_t records = 0;
    char type = 'h';
};

template <typename T>
CountSlot SlotOf(Counted<T>& list, char type) {
    return {&list.stored, list.items.size(), type};
}

CountSlot CountSlotOf(LevelData& level, int section) {
    switch (section) {
    case 2: return SlotOf(level.tilePictures, 'h');
    case 3: return SlotOf(level.stairPictures, 'b');
    case 6: return SlotOf(level.markers, 'b');
    case 7: return SlotOf(level.startPoints, 'b');
    case 8: return SlotOf(level.tileDefinitions, 'h');
    case 11: return SlotOf(level.backgrounds, 'b');
    case 21: return SlotOf(level.animatedTiles, 'h');
    default: break;
    }
    if (const RawLayout* layout = FindRawLayout(section)) return SlotOf(level.RawTable(section), layout->countType);
    return {};
}

int16_t* FixedFieldsOf(LevelData& level, int section) {
    if (section == 5) return level.section5;
    if (section == 20) return &level.section20;
    if (section == 25) return level.section25;
    return nullptr;
}

// The canonical marker of a play or thing marker: its fields read, every
// one written in order, its other fields 0. False for other markers.
bool CanonicalMarker(const NamedMarker& marker, NamedMarker& canonical) {
    const std::string kind = MarkerKind(marker);
    std::vector<std::string> problems;
    if (kind == kPlayLine) {
        canonical = PlayMarker(ReadPlayRules(marker, problems));
        return true;
    }
    PlacedThing thing;
    thing.kind = FindThingKind(kind);
    if (!thing.kind) return false;
    thing.values = ReadMarkerFields(marker, thing.kind->fields, kind, problems);
    canonical = ThingMarker(thing);
    return true;
}

// The play or thing line that gives a marker back byte for byte, or "" when
// none does: the marker must be canonical. Any other marker is written as a
// marker line.
std::string LineOfMarker(const NamedMarker& marker) {
    NamedMarker canonical;
    if (!CanonicalMarker(marker, canonical) ||
        std::tie(marker.a, marker.b, marker.c, marker.d, marker.bytes) !=
            std::tie(canonical.a, canonical.b, canonical.c, canonical.d, canonical.bytes))
        return "";
    // "duskhold play ..." is the play line "play ...", "duskhold walker ..."
    // the thing line "thing walker ...".
    const std::string words(marker.bytes.begin() + std::string(kMarkerPrefix).size() + 1, marker.bytes.end());
    return IsPlayMarker(marker) ? words : kThingLine + (" " + words);
}

// A marker holding a line's words from `first` on after our prefix and
// `kind`, as the line writes them.
NamedMarker WrittenMarker(const std::string& kind, const std::vector<std::string>& tokens, size_t first) {
    std::string text = std::string(kMarkerPrefix) + " " + kind;
    for (size_t i = first; i < tokens.size(); ++i) text += " " + tokens[i];
    return MarkerWithText(text);
}

// The number of skipped cells after the last literal: the skip count a
// stream naturally ends with.
int16_t NaturalTail(const CellGrid& grid) {
    int16_t empty = 0;
    for (size_t i = grid.cells.size(); i > 0 && grid.cells[i - 1] == kSkippedCell; --i) ++empty;
    return empty;
}

class SourceParser {
public:
    explicit SourceParser(LevelData& level) : level_(level) {}

    bool Parse(const std::string& source, std::string& error) {
        std::istringstream stream(source);
        bool ok = true;
        for (std::string text; ok && std::getline(stream, text);) {
            ++lineNumber_;
            while (!text.empty() && (text.back() == '\r' || text.back() == ' ' || text.back() == '\t')) text.pop_back();
            ok = grid_ ? GridLine(text) : Line(text);
        }
        if (ok && grid_) {
            lineNumber_ = gridLine_;
            ok = Fail("the grid has no end line");
        }
        ok = ok && ApplyCounts();
        error = error_;
        return ok;
    }

private:
    bool Fail(const std::string& message) {
        error_ = "line " + std::to_string(lineNumber_) + ": " + message;
        return false;
    }

    // Numbers are decimal whatever their leading zeros: stage makers copy
    // four-digit picture numbers such as 0100 from file names.
    bool Number(const std::string& token, char type, int64_t& value) {
        errno = 0;
        char* end = nullptr;
        value = strtoll(token.c_str(), &end, 10);
        if (token.empty() || *end != '\0' || errno != 0) return Fail("'" + token + "' is not a number");
        if (!InRange(value, type)) return Fail(token + " is out of range: expected " + TypeName(type));
        return true;
    }

    // Reads tokens[1..] as the fields `types`; at least `required` must be
    // given, the rest are 0.
    bool Fields(const std::vector<std::string>& tokens, const char* types, size_t required,
                std::vector<int64_t>& values) {
        size_t count = std::char_traits<char>::length(types);
        size_t given = tokens.size() - 1;
        if (given < required || given > count)
            return Fail(tokens[0] + " takes " +
                        (required == count ? std::to_string(count)
                                           : std::to_string(required) + " to " + std::to_string(count)) +
                        " values, not " + std::to_string(given));
        values.assign(count, 0);
        for (size_t i = 0; i < given; ++i)
            if (!Number(tokens[i + 1], types[i], values[i])) return false;
        return true;
    }

    bool Room(size_t size, size_t limit, const char* what) {
        return size < limit || Fail("more than " + std::to_string(limit) + " " + what);
    }

    template <typename T>
    bool NumberList(const std::vector<std::string>& tokens, Counted<T>& list, char type, size_t limit,
                    const char* what) {
        for (size_t i = 1; i < tokens.size(); ++i) {
            int64_t value = 0;
            if (!Number(tokens[i], type, value) || !Room(list.items.size(), limit, what)) return false;
            list.items.push_back(T(value));
        }
        return true;
    }

    bool Line(const std::string& text) {
        std::vector<std::string> tokens = Split(text);
        if (tokens.empty()) return true;
        const std::string& word = tokens[0];
        std::vector<int64_t> v;
        if (word == "tiles") return NumberList(tokens, level_.tilePictures, 'h', kMaxTilePictures, "tile pictures");
        if (word == "stairs") return NumberList(tokens, level_.stairPictures, 'b', 255, "stair pictures");
        if (word == "animated") return NumberList(tokens, level_.animatedTiles, 'h', 0x7FFF, "animated tiles");
        if (word == "bounds") {
            if (!Fields(tokens, "iiii", 4, v)) return false;
            level_.boundsLeft = int32_t(v[0]);
            level_.boundsTop = int32_t(v[1]);
            level_.boundsRight = int32_t(v[2]);
            level_.boundsBottom = int32_t(v[3]);
            return true;
        }
        if (word == "start") {
            if (!Fields(tokens, "iibb", 2, v) || !Room(level_.startPoints.items.size(), 255, "start points"))
                return false;
            level_.startPoints.items.push_back({int32_t(v[0]), int32_t(v[1]), uint8_t(v[2]), uint8_t(v[3])});
            return true;
        }
        if (word == "tile") {
            if (!Fields(tokens, "ibbi", 3, v) ||
                !Room(level_.tileDefinitions.items.size(), kMaxTileDefinitions, "tile definitions"))
                return false;
            level_.tileDefinitions.items.push_back({int32_t(v[0]), uint8_t(v[1]), uint8_t(v[2]), int32_t(v[3])});
            return true;
        }
        if (word == "background") return BackgroundLine(tokens);
        if (word == "marker") return MarkerLine(tokens);
        if (word == kPlayLine) return PlayLine(tokens);
        if (word == kThingLine) return ThingLine(tokens);
        if (word == "count") return CountLine(tokens);
        if (word == "raw") return RawLine(tokens);
        if (word == "fields") return FixedLine(tokens);
        if (word == "trailing")
            return tokens.size() == 2 ? HexBytes(tokens[1], level_.trailing) : Fail("trailing takes one hex string");
        if (word == "grid") return GridStart(tokens);
        return Fail("unknown line '" + word + "'");
    }

    bool BackgroundLine(const std::vector<std::string>& tokens) {
        std::vector<int64_t> v;
        if (!Fields(tokens, "iihhbbhhh", 8, v) || !Room(level_.backgrounds.items.size(), 255, "background layers"))
            return false;
        Background b;
        b.x = int32_t(v[0]);
        b.y = int32_t(v[1]);
        b.horizontalDivisor = int16_t(v[2]);
        b.verticalDivisor = int16_t(v[3]);
        b.picture = uint8_t(v[4]);
        b.colorKeySelector = uint8_t(v[5]);
        b.frameWidth = int16_t(v[6]);
        b.frameHeight = int16_t(v[7]);
        b.unused = int16_t(v[8]);
        level_.backgrounds.items.push_back(b);
        return true;
    }

    bool MarkerLine(std::vector<std::string> tokens) {
        if (tokens.size() != 7) return Fail("marker takes five numbers and a hex string");
        std::string hex = tokens.back();
        tokens.pop_back();
        std::vector<int64_t> v;
        NamedMarker m;
        if (!Fields(tokens, "iibbi", 5, v) || !HexBytes(hex, m.bytes)) return false;
        m.a = int32_t(v[0]);
        m.b = int32_t(v[1]);
        m.c = uint8_t(v[2]);
        m.d = uint8_t(v[3]);
        m.length = int32_t(v[4]);
        if (size_t(std::max(m.length, 0)) != m.bytes.size())
            return Fail("the marker length " + std::to_string(m.length) + " does not match its " +
                        std::to_string(m.bytes.size()) + " bytes");
        return AddMarker(m);
    }

    // The fields of a play line in any order, the missing ones at their
    // defaults, become the play marker with every field in field order.
    bool PlayLine(const std::vector<std::string>& tokens) {
        std::vector<std::string> problems;
        const PlayRules rules = ReadPlayRules(WrittenMarker(kPlayLine, tokens, 1), problems);
        if (!problems.empty()) return Fail(problems.front());
        return AddMarker(PlayMarker(rules));
    }

    // A thing line is read as a play line is, but x and y must be given.
    bool ThingLine(const std::vector<std::string>& tokens) {
        if (tokens.size() < 2) return Fail("thing needs a kind");
        PlacedThing thing;
        thing.kind = FindThingKind(tokens[1]);
        if (!thing.kind) return Fail("unknown thing kind '" + tokens[1] + "'");
        for (const std::string key : {"x=", "y="})
            if (std::none_of(tokens.begin() + 2, tokens.end(),
                             [&](const std::string& t) { return t.rfind(key, 0) == 0; }))
                return Fail("the " + tokens[1] + " needs " + key.substr(0, 1));
        std::vector<std::string> problems;
        thing.values =
            ReadMarkerFields(WrittenMarker(tokens[1], tokens, 2), thing.kind->fields, "the " + tokens[1], problems);
        if (!problems.empty()) return Fail(problems.front());
        return AddMarker(ThingMarker(thing));
    }

    bool AddMarker(const NamedMarker& marker) {
        if (!Room(level_.markers.items.size(), 255, "named markers")) return false;
        level_.markers.items.push_back(marker);
        return true;
    }

    bool HexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
        bytes.clear();
        if (text == "-") return true;
        if (text.size() % 2 != 0) return Fail("'" + text + "' is not a hex string of whole bytes");
        for (size_t i = 0; i < text.size(); i += 2) {
            int high = HexValue(text[i]), low = HexValue(text[i + 1]);
            if (high < 0 || low < 0) return Fail("'" + text + "' is not a hex string");
            bytes.push_back(uint8_t(high * 16 + low));
        }
        return true;
    }

    bool SectionNumber(const std::string& token, int64_t& section) { return Number(token, 'b', section); }

    // Count fields are checked once every record is known.
    bool CountLine(const std::vector<std::string>& tokens) {
        int64_t section = 0, value = 0;
        if (tokens.size() != 3) return Fail("count takes a section number and a value");
        if (!SectionNumber(tokens[1], section) || !Number(tokens[2], 'i', value)) return false;
        CountSlot slot = CountSlotOf(level_, int(section));
        if (!slot.stored) return Fail("section " + tokens[1] + " has no count field");
        if (slot.type != 'q' && !InRange(value, slot.type)) return Fail(tokens[2] + " does not fit the count field");
        counts_[int(section)] = {value, lineNumber_};
        return true;
    }

    // A section without a count line gets the count field a file of its
    // records holds, so the level equals the one read back from its bytes.
    bool ApplyCounts() {
        for (int section = 0; section <= kLastSection; ++section) {
            CountSlot slot = CountSlotOf(level_, section);
            if (slot.stored) *slot.stored = CountFieldFor(0, slot.records, slot.type);
        }
        for (const auto& [section, count] : counts_) {
            lineNumber_ = count.second;
            CountSlot slot = CountSlotOf(level_, section);
            int64_t stored = slot.type == 'q' ? int64_t(uint32_t(count.first)) : count.first;
            if (CountOf(stored, slot.type) != int64_t(slot.records))
                return Fail("the count " + std::to_string(count.first) + " does not match the " +
                            std::to_string(slot.records) + " records of section " + std::to_string(section));
            *slot.stored = stored;
        }
        return true;
    }

    bool RawLine(const std::vector<std::string>& tokens) {
        int64_t section = 0;
        if (tokens.size() < 2) return Fail("raw needs a section");
        if (!SectionNumber(tokens[1], section)) return false;
        const RawLayout* layout = FindRawLayout(int(section));
        if (!layout) return Fail("section " + tokens[1] + " is not a table read past");
        std::vector<std::string> fields(tokens.begin() + 1, tokens.end());
        size_t count = std::char_traits<char>::length(layout->fields);
        std::vector<int64_t> v;
        if (!Fields(fields, layout->fields, count, v)) return false;
        Counted<RawRecord>& table = level_.RawTable(int(section));
        if (!Room(table.items.size(), CountLimit(layout->countType), "records")) return false;
        table.items.push_back(RawRecord(v.begin(), v.end()));
        return true;
    }

    static size_t CountLimit(char countType) { return countType == 'b' ? 255 : 0x7FFF; }

    bool FixedLine(const std::vector<std::string>& tokens) {
        int64_t section = 0;
        if (tokens.size() < 2) return Fail("fields needs a section");
        if (!SectionNumber(tokens[1], section)) return false;
        for (const FixedFields& fixed : kFixedFields) {
            if (fixed.section != section) continue;
            std::vector<std::string> rest(tokens.begin() + 1, tokens.end());
            std::string types(fixed.count, fixed.type);
            std::vector<int64_t> v;
            if (!Fields(rest, types.c_str(), fixed.count, v)) return false;
            for (size_t i = 0; i < fixed.count; ++i) {
                if (int16_t* fields = FixedFieldsOf(level_, fixed.section)) fields[i] = int16_t(v[i]);
                else level_.section15[i] = uint8_t(v[i]);
            }
            return true;
        }
        return Fail("section " + tokens[1] + " has no fixed fields read past");
    }

    bool GridStart(const std::vector<std::string>& tokens) {
        if (tokens.size() != 4) return Fail("grid takes a name (main, middle or back), W and H");
        std::map<std::string, CellGrid*> grids = {
            {"main", &level_.mainGrid}, {"middle", &level_.middleGrid}, {"back", &level_.backGrid}};
        auto found = grids.find(tokens[1]);
        if (found == grids.end()) return Fail("unknown grid '" + tokens[1] + "'");
        if (seenGrids_.count(tokens[1])) return Fail("the " + tokens[1] + " grid is given twice");
        int64_t width = 0, height = 0;
        if (!Number(tokens[2], 'h', width) || !Number(tokens[3], 'h', height)) return false;
        if (width < 0 || width > kMaxGridSize || height < 0 || height > kMaxGridSize)
            return Fail("grid sizes go from 0 to " + std::to_string(kMaxGridSize));
        seenGrids_.insert({tokens[1], true});
        grid_ = found->second;
        grid_->width = int16_t(width);
        grid_->height = int16_t(height);
        gridLine_ = lineNumber_;
        legend_.clear();
        rows_.clear();
        hex_ = false;
        tail_.reset();
        return true;
    }

    bool GridLine(const std::string& text) {
        if (!text.empty() && text[0] == '|') return Row(text.substr(1));
        std::vector<std::string> tokens = Split(text);
        if (tokens.empty()) return true;
        const std::string& word = tokens[0];
        if (word == "legend") return LegendLine(tokens);
        if (word == "hex") {
            hex_ = true;
            return tokens.size() == 1 || Fail("hex takes no values");
        }
        if (word == "tail") {
            int64_t tail = 0;
            if (tokens.size() != 2) return Fail("tail takes one value");
            if (!Number(tokens[1], 'h', tail)) return false;
            tail_ = int16_t(tail);
            return true;
        }
        if (word == "unused") {
            std::string types(grid_->headerUnused.size(), 'h');
            std::vector<int64_t> v;
            if (!Fields(tokens, types.c_str(), types.size(), v)) return false;
            for (size_t i = 0; i < v.size(); ++i) grid_->headerUnused[i] = int16_t(v[i]);
            return true;
        }
        if (word == "end") return GridEnd();
        return Fail("unknown grid line '" + word + "' (rows start with |)");
    }

    bool LegendLine(const std::vector<std::string>& tokens) {
        int64_t value = 0;
        if (tokens.size() != 3 || tokens[1].size() != 1) return Fail("legend takes one character and a value");
        char symbol = tokens[1][0];
        if (symbol == '.' || symbol == '|') return Fail("'.' and '|' cannot stand for a value");
        if (!Number(tokens[2], 'b', value)) return false;
        legend_[symbol] = int16_t(value);
        return true;
    }

    bool Row(const std::string& cells) {
        size_t width = size_t(grid_->Columns()) * (hex_ ? 2 : 1);
        if (cells.size() != width)
            return Fail("the row has " + std::to_string(cells.size()) + " characters, expected " +
                        std::to_string(width));
        if (rows_.size() == size_t(grid_->Rows())) return Fail("more than " + std::to_string(grid_->Rows()) + " rows");
        std::vector<int16_t> row;
        for (size_t i = 0; i < cells.size(); i += hex_ ? 2 : 1) {
            int16_t value = 0;
            if (!Cell(cells.substr(i, hex_ ? 2 : 1), value)) return false;
            row.push_back(value);
        }
        rows_.push_back(row);
        return true;
    }

    bool Cell(const std::string& text, int16_t& value) {
        if (text == "." || text == "..") {
            value = kSkippedCell;
            return true;
        }
        if (hex_) {
            int high = HexValue(text[0]), low = HexValue(text[1]);
            value = int16_t(high * 16 + low);
            return (high >= 0 && low >= 0) || Fail("'" + text + "' is not a hex cell");
        }
        auto found = legend_.find(text[0]);
        if (found == legend_.end()) return Fail("'" + text + "' is not in the legend");
        value = found->second;
        return true;
    }

    bool GridEnd() {
        if (rows_.size() != size_t(grid_->Rows()))
            return Fail("the grid has " + std::to_string(rows_.size()) + " rows, expected " +
                        std::to_string(grid_->Rows()) + " (H + 1)");
        grid_->cells.clear();
        for (const std::vector<int16_t>& row : rows_) grid_->cells.insert(grid_->cells.end(), row.begin(), row.end());
        int16_t natural = NaturalTail(*grid_);
        grid_->lastSkip = tail_.value_or(natural);
        bool fits = natural == 0 || grid_->lastSkip < 0 || grid_->lastSkip >= natural;
        if (!fits)
            return Fail("tail " + std::to_string(grid_->lastSkip) + " does not cover the " + std::to_string(natural) +
                        " empty cells at the end");
        grid_ = nullptr;
        return true;
    }

    LevelData& level_;
    std::string error_;
    int lineNumber_ = 0;
    std::map<int, std::pair<int64_t, int>> counts_;
    std::map<std::string, bool> seenGrids_;
    CellGrid* grid_ = nullptr;
    int gridLine_ = 0;
    std::map<char, int16_t> legend_;
    std::vector<std::vector<int16_t>> rows_;
    bool hex_ = false;
    std::optional<int16_t> tail_;
};

class SourceWriter {
public:
    explicit SourceWriter(const LevelData& level) : level_(level) {}

    std::string Write() {
        out_ << "# Level source written by duskhold-level dump\n";
        NumberList("tiles", 2, level_.tilePictures);
        NumberList("stairs", 3, level_.stairPictures);
        out_ << "bounds " << level_.boundsLeft << ' ' << level_.boundsTop << ' ' << level_.boundsRight << ' '
             << level_.boundsBottom << '\n';
        Fixed(5, level_.section5, 2);
        Count(6, level_.markers, 'b');
        for (const NamedMarker& m : level_.markers.items) Marker(m);
        Count(7, level_.startPoints, 'b');
        for (const StartPoint& p : level_.startPoints.items)
            out_ << "start " << p.x << ' ' << p.y << ' ' << int(p.a) << ' ' << int(p.b) << '\n';
        Count(8, level_.tileDefinitions, 'h');
        for (const TileDefinition& d : level_.tileDefinitions.items)
            out_ << "tile " << d.picture << ' ' << int(d.flag20) << ' ' << int(d.flag40) << ' ' << d.unused << '\n';
        Grid("main", level_.mainGrid);
        Grid("middle", level_.middleGrid);
        Count(11, level_.backgrounds, 'b');
        for (const Background& b : level_.backgrounds.items)
            out_ << "background " << b.x << ' ' << b.y << ' ' << b.horizontalDivisor << ' ' << b.verticalDivisor << ' '
                 << int(b.picture) << ' ' << int(b.colorKeySelector) << ' ' << b.frameWidth << ' ' << b.frameHeight
                 << ' ' << b.unused << '\n';
        RawTables(12, 14);
        int16_t section15[3] = {level_.section15[0], level_.section15[1], level_.section15[2]};
        Fixed(15, section15, 3);
        RawTables(16, 18);
        Grid("back", level_.backGrid);
        Fixed(20, &level_.section20, 1);
        NumberList("animated", 21, level_.animatedTiles);
        RawTables(22, 24);
        Fixed(25, level_.section25, 50);
        RawTables(26, 28);
        if (!level_.trailing.empty()) out_ << "trailing " << Hex(level_.trailing) << '\n';
        return out_.str();
    }

private:
    void Marker(const NamedMarker& m) {
        const std::string line = LineOfMarker(m);
        if (!line.empty()) out_ << line << '\n';
        else
            out_ << "marker " << m.a << ' ' << m.b << ' ' << int(m.c) << ' ' << int(m.d) << ' ' << m.length << ' '
                 << Hex(m.bytes) << '\n';
    }

    template <typename T>
    void Count(int section, const Counted<T>& list, char type) {
        if (list.stored != CountFieldFor(0, list.items.size(), type))
            out_ << "count " << section << ' ' << (type == 'q' ? int32_t(uint32_t(list.stored)) : list.stored) << '\n';
    }

    template <typename T>
    void NumberList(const char* word, int section, const Counted<T>& list) {
        Count(section, list, sizeof(T) == 1 ? 'b' : 'h');
        for (size_t i = 0; i < list.items.size(); i += 16) {
            out_ << word;
            for (size_t j = i; j < list.items.size() && j < i + 16; ++j) out_ << ' ' << int(list.items[j]);
            out_ << '\n';
        }
    }

    void Fixed(int section, const int16_t* fields, size_t count) {
        bool any = false;
        for (size_t i = 0; i < count; ++i) any = any || fields[i] != 0;
        if (!any) return;
        out_ << "fields " << section;
        for (size_t i = 0; i < count; ++i) out_ << ' ' << fields[i];
        out_ << '\n';
    }

    void RawTables(int first, int last) {
        for (int section = first; section <= last; ++section) {
            const RawLayout* layout = FindRawLayout(section);
            if (!layout) continue;
            const Counted<RawRecord>& table = level_.RawTable(section);
            Count(section, table, layout->countType);
            for (const RawRecord& record : table.items) {
                out_ << "raw " << section;
                for (int32_t field : record) out_ << ' ' << field;
                out_ << '\n';
            }
        }
    }

    void Grid(const char* name, const CellGrid& grid) {
        out_ << "grid " << name << ' ' << grid.width << ' ' << grid.height << '\n';
        bool anyUnused = false;
        for (int16_t field : grid.headerUnused) anyUnused = anyUnused || field != 0;
        if (anyUnused) {
            out_ << "unused";
            for (int16_t field : grid.headerUnused) out_ << ' ' << field;
            out_ << '\n';
        }
        bool hex = false;
        std::map<int16_t, bool> used;
        for (int16_t cell : grid.cells) {
            if (cell == kSkippedCell) continue;
            used[cell] = true;
            hex = hex || size_t(cell) >= kSymbols.size();
        }
        if (hex) out_ << "hex\n";
        else
            for (const auto& entry : used)
                out_ << "legend " << kSymbols[size_t(entry.first)] << ' ' << entry.first << '\n';
        if (grid.lastSkip != NaturalTail(grid)) out_ << "tail " << grid.lastSkip << '\n';
        for (int row = 0; row < grid.Rows(); ++row) {
            out_ << '|';
            for (int column = 0; column < grid.Columns(); ++column) out_ << CellText(grid.Cell(column, row), hex);
            out_ << '\n';
        }
        out_ << "end\n";
    }

    static std::string CellText(int16_t cell, bool hex) {
        if (cell == kSkippedCell) return hex ? ".." : ".";
        if (!hex) return std::string(1, kSymbols[size_t(cell)]);
        return {kHexDigits[cell >> 4], kHexDigits[cell & 15]};
    }

    const LevelData& level_;
    std::ostringstream out_;
};

}  // namespace

bool Compile(const std::string& source, LevelData& level, std::string& error) {
    level = LevelData();
    return SourceParser(level).Parse(source, error);
}

std::string Dump(const LevelData& level) { return SourceWriter(level).Write(); }

}  // namespace LevelSource
