#include "screens/PagePictures.h"
#include "base/SharedConstants.h"
#include "platform/Renderer.h"
#include "screens/MenuPictures.h"
#include <string>

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
}

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
    int32_t cursorY = y;
    for (size_t row = 0; row < list.rows.size(); ++row) {
        if (list.rows[row].hidden) continue;
        if (int32_t(row) == list.cursor) cursorY = y;
        y += layout.rowPitch;
    }
    if (list.Asking()) cursorY = layout.firstRowY + layout.rowPitch;
    if (layout.frame == ListLayout::MenuPage) DrawMenuPage(layout, cursorY);
    else DrawBox(layout);
    if (list.Asking()) return DrawQuestion(list, layout);
    y = layout.firstRowY;
    for (size_t row = 0; row < list.rows.size(); ++row) {
        if (list.rows[row].hidden) continue;
        DrawRow(list.rows[row], layout, y, int32_t(row) == list.cursor);
        y += layout.rowPitch;
    }
}

void PagePictures::DrawMenuPage(const ListLayout& layout, int32_t cursorY) {
    art_.background->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawTitle(layout.title);
    DrawPanel(layout.top, layout.height);
    FillRect(float(kPanelLeft + 4), float(cursorY - 1), float(kPanelWidth - 8), 10.0f, kCursorTint);
    const int32_t flameFrame = (flameDraws_ / 4) % 4;
    DrawPlain(*art_.cursorFlame, kPanelLeft - 16, cursorY - 6, flameFrame);
    DrawPlain(*art_.cursorFlame, kPanelLeft + kPanelWidth, cursorY - 6, flameFrame, 1);
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

void PagePictures::DrawPanel(int32_t top, int32_t height) const {
    FillRect(float(kPanelLeft + 2), float(top + 2), float(kPanelWidth - 4), float(height - 4), kBackdropTint);
    DrawBoxBorder(*art_.window, kPanelLeft, top, kPanelLeft + kPanelWidth - 8, top + height - 4);
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
// column beside it is cut a letter short of it.
void PagePictures::DrawRow(const ListPage::Row& row, const ListLayout& layout, int32_t y, bool current) const {
    if (layout.frame == ListLayout::StageBox) return text_.DrawCentred(row.label, y, current);
    const Color tint = row.disabled ? kDisabledTint : Color(0);
    text_.Draw(row.label, kLabelX, y, current, tint);
    std::string value = row.value;
    if (layout.secondX > 0 && !row.second.empty())
        value = value.substr(0, (layout.secondX - layout.valueX) / kLetter - 1);
    int32_t x = layout.valueX;
    if (row.meter >= 0) {
        DrawMeter(row, x, y);
        x += kLetter * row.meterCells + kLetter;
    }
    text_.Draw(value, x, y, current, tint);
    if (layout.secondX > 0) text_.Draw(row.second, layout.secondX, y, current, tint);
    if (!current || !row.steps) return;
    text_.Draw("<", layout.valueX - 12, y, true);
    text_.Draw(">", x + kLetter * int32_t(value.size()) + 4, y, true);
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
