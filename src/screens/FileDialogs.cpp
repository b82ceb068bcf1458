#include "screens/FileDialogs.h"
#include "campaign/SaveFile.h"
#include "platform/Input.h"
#include "base/SharedConstants.h"
#include <cstring>

namespace {
// The name grid's box, its cells 28 pixels wide (a gap after DEL) and 16 apart.
constexpr int32_t kNamingTop = 56;
constexpr int32_t kNameY = 68;
constexpr int32_t kCellWidth = 28;
constexpr int32_t kGridX = (kScreenWidth - NameEntry::kColumns * kCellWidth) / 2;
constexpr int32_t kGridY = 88;
constexpr int32_t kCellHeight = 16;
constexpr const char* kNamingHint = "TYPE OR PICK A NAME";

constexpr const char* kFullLines[] = {"THE LIST IS FULL", "ERASE A FILE FIRST"};

const char* CellWord(int32_t cell) {
    static char letter[2] = {};
    if (cell == NameEntry::kDeleteCell) return "DEL";
    if (cell == NameEntry::kEndCell) return "END";
    letter[0] = char('A' + cell);
    return letter;
}
}

void FileDialogs::Show(Kind kind) {
    Close();
    kind_ = kind;
    pacer_.Pressed();
}

void FileDialogs::OpenNaming() {
    Show(Naming);
    entry_.Open(kMaxNameGlyphs);
    TheInput().TakeTyping(true);
}

void FileDialogs::OpenErasing(const std::string& fileName) {
    Show(Erasing);
    fileName_ = fileName;
    question_.Ask();
}

void FileDialogs::OpenListFull() {
    Show(ListFull);
    noticeSteps_ = kNoticeSteps;
}

void FileDialogs::Close() {
    if (kind_ == Naming) TheInput().TakeTyping(false);
    kind_ = None;
}

FileDialogs::Outcome FileDialogs::Update(uint32_t held, const std::string& typed) {
    if (kind_ == Naming) {
        const NameEntry::Result result = entry_.Update(held, typed);
        if (result != NameEntry::Editing) Close();
        return result == NameEntry::Finished ? NameChosen : Nothing;
    }
    const bool ready = pacer_.Ready();
    if (kind_ == Erasing) return ready ? UpdateErasing(held) : Nothing;
    const bool pressed = ready && (held & (ButtonA | ButtonB));
    if (--noticeSteps_ <= 0 || pressed) Close();
    return Nothing;
}

FileDialogs::Outcome FileDialogs::UpdateErasing(uint32_t held) {
    const ConfirmQuestion::Answer answer = question_.Update(held, pacer_);
    if (answer == ConfirmQuestion::Waiting) return Nothing;
    Close();
    return answer == ConfirmQuestion::Yes ? EraseConfirmed : Nothing;
}

void FileDialogs::Draw(const MenuPictures& pictures) const {
    if (kind_ == Naming) DrawNaming(pictures);
    else if (kind_ == Erasing) DrawErasing(pictures);
    else if (kind_ == ListFull) DrawListFull(pictures);
}

// The name so far, dashes for the letters still free, then the grid with
// the cell under the cursor in warm letters on the cursor bar.
void FileDialogs::DrawNaming(const MenuPictures& pictures) const {
    DrawCentredBox(pictures, kNamingTop, 224, kGridY + NameEntry::kRows * kCellHeight + 20);
    const std::string& name = entry_.Name();
    const std::string shown = name + std::string(size_t(entry_.MaxLength()) - name.size(), '-');
    pictures.text.DrawCentred(shown, kNameY, false);
    for (int32_t cell = 0; cell < NameEntry::kCells; ++cell) {
        const char* word = CellWord(cell);
        const int32_t width = int32_t(strlen(word)) * 8;
        const int32_t x = kGridX + (cell % NameEntry::kColumns) * kCellWidth + (kCellWidth - width) / 2;
        const int32_t y = kGridY + (cell / NameEntry::kColumns) * kCellHeight;
        const bool current = cell == entry_.Cell();
        if (current) DrawCursorBar(pictures, x, y, width / 8);
        pictures.text.Draw(word, x, y, current);
    }
    pictures.text.DrawCentred(kNamingHint, kGridY + NameEntry::kRows * kCellHeight + 4, false);
}

void FileDialogs::DrawErasing(const MenuPictures& pictures) const {
    const std::string question = "ERASE " + fileName_ + "?";
    DrawCentredBox(pictures, 92, 176, 136);
    const bool yes = question_.YesChosen();
    pictures.text.DrawCentred(question, 102, false);
    DrawCursorBar(pictures, yes ? 176 : 128, 120, yes ? 3 : 2);
    pictures.text.Draw("NO", 128, 120, !yes);
    pictures.text.Draw("YES", 176, 120, yes);
}

void FileDialogs::DrawListFull(const MenuPictures& pictures) const {
    DrawCentredBox(pictures, 96, 176, 128);
    for (int32_t line = 0; line < 2; ++line) pictures.text.DrawCentred(kFullLines[line], 106 + 12 * line, false);
}
