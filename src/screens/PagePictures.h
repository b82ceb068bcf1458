#pragma once
#include "campaign/ListPage.h"
#include "platform/Sprite.h"
#include "screens/MenuPictures.h"
#include "screens/MenuText.h"
#include <cstdint>
#include <optional>

// Where a list's rows go and what frames them.
struct ListLayout {
    // A page opened from the menu (OPTIONS, CONFIGURE): the menu's red
    // background, the page's name in a menu bar with the flames of a chosen
    // entry, a dark panel of rows and the cursor's bar and flames. Or a box
    // over a stage (the pause menu): its name and its rows centred in it,
    // the row under the cursor in warm letters.
    enum Frame : int32_t { MenuPage, StageBox };
    Frame frame = MenuPage;
    const char* title = "";
    int32_t top = 0;  // of the panel or the box
    int32_t height = 0;
    int32_t width = 0;  // of a box, centred across the screen
    int32_t firstRowY = 0;
    int32_t rowPitch = 0;
    int32_t valueX = 0;   // the values' column
    int32_t secondX = 0;  // the second values' column, 0 for none
    // A page's panel stands this far from either side of the screen.
    int32_t panelLeft = 24;
    // 0: a value too long for its column is cut. Else it goes on in lines
    // this far apart, and the rows under it move down.
    int32_t linePitch = 0;

    int32_t PanelWidth() const;
    int32_t LabelX() const { return panelLeft + 12; }
};

// The one drawer of every list page.
class PagePictures {
public:
    void Load(ListLayout::Frame frame);
    void Release();
    // The frame and the shown rows; a question open replaces the rows.
    // Each call is one draw of the flames' animation.
    void Draw(const ListPage& list, const ListLayout& layout);
    const MenuText& Text() const { return text_; }

private:
    void DrawMenuPage(const ListLayout& layout, int32_t cursorY, int32_t cursorHeight);
    void DrawTitle(const char* title) const;
    void DrawPanel(const ListLayout& layout) const;
    void DrawBox(const ListLayout& layout) const;
    void DrawRow(const ListPage::Row& row, const ListLayout& layout, int32_t y, bool current) const;
    void DrawMeter(const ListPage::Row& row, int32_t x, int32_t y) const;
    void DrawQuestion(const ListPage& list, const ListLayout& layout) const;

    MenuText text_;
    MenuArt art_;
    // Draws since the page opened: the flames show each of their 4 frames
    // for 4 draws, as in the menu.
    int32_t flameDraws_ = 0;
};
