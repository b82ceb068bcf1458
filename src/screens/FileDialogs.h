#pragma once
#include "campaign/ConfirmQuestion.h"
#include "campaign/InputPacer.h"
#include "campaign/NameEntry.h"
#include "screens/MenuPictures.h"
#include <cstdint>
#include <string>

// The boxes the menu's file entries open over the menu: the name of a new
// file (NEW GAME), "ERASE name?" with NO and YES (ERASE on a file), and the
// notice that the list is full. Each takes the menu's input while open.
class FileDialogs {
public:
    enum Kind : int32_t { None, Naming, Erasing, ListFull };
    enum Outcome : int32_t { Nothing, NameChosen, EraseConfirmed };
    // The notice stands for two seconds, or until a button is pressed.
    static constexpr int32_t kNoticeSteps = 125;

    // Opens the name grid and lets the keyboard type.
    void OpenNaming();
    // Asks whether to erase the file of that name; NO is chosen first.
    void OpenErasing(const std::string& fileName);
    void OpenListFull();
    void Close();
    // One step of the open box with the held actions and the characters typed.
    Outcome Update(uint32_t held, const std::string& typed);
    void Draw(const MenuPictures& pictures) const;

    Kind Open() const { return kind_; }
    const NameEntry& Entry() const { return entry_; }
    bool YesChosen() const { return question_.YesChosen(); }

private:
    void Show(Kind kind);
    Outcome UpdateErasing(uint32_t held);
    void DrawNaming(const MenuPictures& pictures) const;
    void DrawErasing(const MenuPictures& pictures) const;
    void DrawListFull(const MenuPictures& pictures) const;

    Kind kind_ = None;
    NameEntry entry_;
    std::string fileName_;
    ConfirmQuestion question_;
    InputPacer pacer_;
    int32_t noticeSteps_ = 0;
};
