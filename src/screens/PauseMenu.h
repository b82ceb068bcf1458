#pragma once
#include "campaign/ListPage.h"
#include "screens/PagePictures.h"
#include <cstdint>

// The menu a stage shows while it is paused: RESUME, RESTART STAGE, OPTIONS,
// SKIP STAGE (only while an assist is on), QUIT TO MENU and QUIT GAME (the
// skip and the quit ask first) in the menu font, over the stage standing
// still.
class PauseMenu {
public:
    enum class Choice { None, Resume, Restart, Options, Skip, Quit, EndGame };

    // Opens on RESUME, with SKIP STAGE when `skips`. What is held when it
    // opens does nothing until it is released, so that the key that paused
    // does not also pick an entry.
    void Open(uint32_t held, bool skips = false);
    // Closes it; the buttons held then do nothing until released.
    void Close();
    bool IsOpen() const { return open_; }
    // The place of the entry under the cursor among those shown.
    int32_t Cursor() const { return list_.cursor - (!skips_ && list_.cursor > kSkipRow); }
    bool Asking() const { return list_.Asking(); }
    // Up and Down move the cursor round the entries, paced as on every
    // page; the confirm button picks the entry under it, the back button,
    // the pause key and Escape resume.
    Choice Update(uint32_t held, uint32_t commands);
    void Draw();

private:
    static constexpr int32_t kSkipRow = 3;

    bool open_ = false;
    ListPage list_{ListPage::WrapRound};
    bool skips_ = false;
    PagePictures pictures_;
};
