#pragma once
#include "campaign/ListPage.h"
#include "screens/PagePictures.h"
#include <cstdint>

// The menu a stage shows while it is paused: RESUME, RESTART STAGE, OPTIONS,
// QUIT TO MENU and QUIT GAME (which asks first) in the menu font, over the
// stage standing still.
class PauseMenu {
public:
    enum class Choice { None, Resume, Restart, Options, Quit, EndGame };

    // Opens on RESUME. What is held when it opens does nothing until it is
    // released, so that the key that paused does not also pick an entry.
    void Open(uint32_t held);
    // Closes it; the buttons held then do nothing until released.
    void Close();
    bool IsOpen() const { return open_; }
    int32_t Cursor() const { return list_.cursor; }
    bool Asking() const { return list_.Asking(); }
    // Up and Down move the cursor round the entries, paced as on every
    // page; the confirm button picks the entry under it, the back button,
    // the pause key and Escape resume.
    Choice Update(uint32_t held, uint32_t commands);
    void Draw();

private:
    bool open_ = false;
    ListPage list_{ListPage::WrapRound};
    PagePictures pictures_;
};
