#include "screens/PagePictures.h"
#include "base/SharedConstants.h"
#include "platform/Renderer.h"
#include "screens/MenuPictures.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr Color kBackgroundTint{0xFF0000FFu};
constexpr Color kBackdropTint{0xAA000000u};
constexpr Color kCursorTint{0xFF1212DDu};
constexpr Color kBoxEdge = Color::FromBytes(0xC8, 0x8C, 0x3C, 0xFF);
constexpr Color kBoxFill = Color::FromBytes(0x16, 0x0E, 0x1A, 0xFF);
constexpr Color kMeterOn = Color::FromBytes(240, 160, 48, 255);
constexpr Color kMeterOff = Color::FromBytes(70, 70, 100, 255);
constexpr Color kDisabledTint = Color::FromBytes(128, 128, 128, 255);
constexpr int32_t kLetter = MenuText::kLetterWidth;
constexpr int32_t kCursorHeight = 10;

// The words of `text` in lines of at most `letters` letters; a word longer
// than a line stands alone on its own.
std::vector<std::string> WrapWords(const std::string& text, size_t letters) {
    std::vector<std::string> lines(1);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        std::string& line = lines.back();
        if (line.empty()) line = word;
        else if (line.size() + 1 + word.size() <= letters) line += " " + word;
        else lines.push_back(word);
        start = end + 1;
    }
    return lines;
}

// The lines of the value and of the second column of a row, as its layout
// shows them: wrapped to their columns, or the value cut a letter short of
// a second column beside it.
struct RowLines {
    std::vector<std::string> value;
    std::vector<std::string> second;
    int32_t Count() const { return int32_t(std::max(value.size(), second.size())); }
};

RowLines LinesOf(const ListPage::Row& row, const ListLayout& layout) {
    if (layout.linePitch > 0 && layout.secondX > 0) {
        const int32_t right = layout.panelLeft + layout.PanelWidth() - kLetter;
        return {WrapWords(row.value, size_t((layout.secondX - layout.valueX) / kLetter)),
                WrapWords(row.second, size_t((right - layout.secondX) / kLetter))};
    }
    std::string value = row.value;
    if (layout.secondX > 0 && !row.second.empty())
        value = value.substr(0, (layout.secondX - layout.valueX) / kLetter - 1);
    return {{value}, {row.second}};
}

// How far the row after this one stands below it.
int32_t RowHeight(const ListPage::Row& row, const ListLayout& layout) {
    if (layout.linePitch == 0) return layout.rowPitch;
    return layout.rowPitch + (LinesOf(row, layout).Count() - 1) * layout.linePitch;
}
}

int32_t ListLayout::PanelWidth() const { return kScreenWidth - 2 * panelLeft; }

void PagePictures::Load(ListLayout::Frame frame) {
    text_.Load();
    flameDraws_ = 0;
    if (frame != ListLayout::MenuPage) return;
    art_.Load();
}

void PagePictures::Release() {
    text_.Release();
    art_.Release();
}

// Hidden rows take no place.
void PagePictures::Draw(const ListPage& list, const ListLayout& layout) {
    int32_t y = layout.firstRowY;
    int32_t cursorY = y, cursorHeight = kCursorHeight;
    for (size_t row = 0; row < list.rows.size(); ++row) {
        if (list.rows[row].hidden) continue;
        const int32_t height = RowHeight(list.rows[row], layout);
        if (int32_t(row) == list.cursor) {
            cursorY = y;
            cursorHeight = kCursorHeight + height - layout.rowPitch;
        }
        y += height;
    }
    if (list.Asking()) {
        cursorY = layout.firstRowY + layout.rowPitch;
        cursorHeight = kCursorHeight;
    }
    if (layout.frame == ListLayout::MenuPage) DrawMenuPage(layout, cursorY, cursorHeight);
    else DrawBox(layout);
    if (list.Asking()) return DrawQuestion(list, layout);
    y = layout.firstRowY;
    for (size_t row = 0; row < list.rows.size(); ++row) {
        if (list.rows[row].hidden) continue;
        DrawRow(list.rows[row], layout, y, int32_t(row) == list.cursor);
        y += RowHeight(list.rows[row], layout);
    }
}

void PagePictures::DrawMenuPage(const ListLayout& layout, int32_t cursorY, int32_t cursorHeight) {
    art_.background->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawTitle(layout.title);
    DrawPanel(layout);
    const int32_t left = layout.panelLeft, width = layout.PanelWidth();
    FillRect(float(left + 4), float(cursorY - 1), float(width - 8), float(cursorHeight), kCursorTint);
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*art_.cursorFlame, left - 16, cursorY - 6, flameFrame);
    DrawPlain(*art_.cursorFlame, left + width, cursorY - 6, flameFrame, 1);
    ++flameDraws_;
}

// The page's name in a bar of the menu, with the flames of a chosen entry.
void PagePictures::DrawTitle(const char* title) const {
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*art_.holder, 16, 8);
    DrawPlain(*art_.chosenFlame, 16, 8, flameFrame);
    DrawPlain(*art_.chosenFlame, 144, 8, flameFrame, 1);
    text_.Draw(title, 88 - 4 * int32_t(std::char_traits<char>::length(title)), 16, true);
}

void PagePictures::DrawPanel(const ListLayout& layout) const {
    const int32_t left = layout.panelLeft, width = layout.PanelWidth(), top = layout.top, height = layout.height;
    FillRect(float(left + 2), float(top + 2), float(width - 4), float(height - 4), kBackdropTint);
    DrawBoxBorder(*art_.window, left, top, left + width - 8, top + height - 4);
}

void PagePictures::DrawBox(const ListLayout& layout) const {
    const float left = float(kScreenWidth - layout.width) / 2.0f, top = float(layout.top);
    FillRect(left - 1.0f, top - 1.0f, float(layout.width) + 2.0f, float(layout.height) + 2.0f, kBoxEdge);
    FillRect(left, top, float(layout.width), float(layout.height), kBoxFill);
    text_.DrawCentred(layout.title, layout.top + 8, false);
}

// In a box the label stands centred alone. On a page the label, then the
// value (after its bar) and the second column's; the value of the row under
// the cursor stands between arrows when it steps. A value with a second
// column beside it is cut a letter short of it, or wraps.
void PagePictures::DrawRow(const ListPage::Row& row, const ListLayout& layout, int32_t y, bool current) const {
    if (layout.frame == ListLayout::StageBox) return text_.DrawCentred(row.label, y, current);
    const Color tint = row.disabled ? kDisabledTint : Color(0);
    text_.Draw(row.label, layout.LabelX(), y, current, tint);
    const RowLines lines = LinesOf(row, layout);
    int32_t x = layout.valueX;
    if (row.meter >= 0) {
        DrawMeter(row, x, y);
        x += kLetter * row.meterCells + kLetter;
    }
    for (size_t line = 0; line < lines.value.size(); ++line)
        text_.Draw(lines.value[line], x, y + int32_t(line) * layout.linePitch, current, tint);
    if (layout.secondX > 0)
        for (size_t line = 0; line < lines.second.size(); ++line)
            text_.Draw(lines.second[line], layout.secondX, y + int32_t(line) * layout.linePitch, current, tint);
    if (!current || !row.steps) return;
    text_.Draw("<", layout.valueX - 12, y, true);
    text_.Draw(">", x + kLetter * int32_t(lines.value[0].size()) + 4, y, true);
}

// One cell a step, lit up to the value.
void PagePictures::DrawMeter(const ListPage::Row& row, int32_t x, int32_t y) const {
    for (int32_t cell = 0; cell < row.meterCells; ++cell)
        FillRect(float(x + kLetter * cell), float(y + 1), 6.0f, 6.0f, cell < row.meter ? kMeterOn : kMeterOff);
}

// The question on the first row, NO and YES on the next, the answer chosen warm.
void PagePictures::DrawQuestion(const ListPage& list, const ListLayout& layout) const {
    const bool yes = list.Question().YesChosen();
    const int32_t y = layout.firstRowY + layout.rowPitch;
    text_.DrawCentred(list.rows[size_t(list.cursor)].question, layout.firstRowY, false);
    text_.Draw("NO", kScreenWidth / 2 - 4 * kLetter, y, !yes);
    text_.Draw("YES", kScreenWidth / 2 + 2 * kLetter, y, yes);
}
