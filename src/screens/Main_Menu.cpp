#include "screens/Main_Menu.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "campaign/SaveProgress.h"
#include "screens/MenuArt.h"
#include "screens/OptionsScreen.h"
#include "screens/Screens.h"
#include "campaign/StageMusic.h"
#include "campaign/StageTable.h"
#include "world/LevelName.h"

namespace {
Main_Menu gScreen;

// Pictures that live outside the menu object: the menu font, the panel
// block (a light square that the draws tint) and the first stage's picture,
// which the menu loads for the stage and nothing draws.
std::optional<Sprite> gMenuFont;
std::optional<Sprite> gPanelBlock;
std::optional<Sprite> gStagePicture;

constexpr Color kNoKey{0};
constexpr Color kBackgroundTint{0xFF0000FFu};
constexpr Color kBackdropTint{0xAA000000u};
constexpr Color kFileCursorTint{0xFF1212DDu};
constexpr int32_t kHighlight = 109;
// The heart of the menu font, drawn after the name of a finished file.
constexpr int32_t kFinishedGlyph = 42;
}
GameState* const gMainMenu = &gScreen;

void Main_Menu::Enter() {
    gStagePicture.reset();
    gMenuFont.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
    gPanelBlock.emplace("sprites\\black.png", kNoKey, 32, 32);
    // A missing save file only leaves the list as it was; the status line
    // tells a player why it is empty.
    if (!ReadMenuSaveFile(files_)) PrintStatus("No save file svfile: the file list stays as it was");
    background_.emplace("bg\\bg0018.png", kNoKey, kScreenWidth, kScreenHeight);
    cursorFlame_.emplace("sprites\\menufire.png", Colors::Magenta, 16, 16);
    chosenFlame_.emplace("sprites\\menufire2.png", Colors::Magenta, 16, 16);
    holder_.emplace("sprites\\menuholder.png", Colors::Magenta, 144, 32);
    window_.emplace("sprites\\menuwindow2.png", Colors::Black, 8, 4, 96);
    if (TakeRetry() && PlayedFile() < files_.count) navigation_.OpenAtFile(PlayedFile());
    else navigation_.Reset();
    ReplaceStageMusic("music\\DH3- Lament.mid");
    PlayStageMusic(true);
}

void Main_Menu::Leave() {
    StopStageMusic();
    if (const StageRow* row = FindStage(TheStageNumber())) {
        SetLevelName(row->levelName);
        ReplaceStageMusic(row->music);
        if (row->picture) gStagePicture.emplace(row->picture, Colors::Red, 168, 24);
    }
    ReleasePictures();
}

void Main_Menu::ReleasePictures() {
    gMenuFont.reset();
    gPanelBlock.reset();
    background_.reset();
    cursorFlame_.reset();
    chosenFlame_.reset();
    holder_.reset();
    window_.reset();
}

void Main_Menu::Update(float) {
    uint32_t held = TheInput().held;
    UpdateSoundSystem();
    if (!navigation_.Update(held, files_.count)) {
        if (navigation_.TakeOptionsChoice()) TheStateStack().PushState(gOptionsScreen);
        return;
    }
    const int32_t stage = files_.files[navigation_.ChosenFile()].stage;
    // A file that names a stage the game does not have starts nothing.
    if (!FindStage(stage)) {
        PrintStatus("The chosen file names stage %d, which the game does not have", int(stage));
        return;
    }
    TheStageNumber() = stage;
    SetPlayedFile(navigation_.ChosenFile());
    TheStateStack().ChangeState(gStateGame);
}

void Main_Menu::Draw() {
    background_->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawHolderBars();
    if (navigation_.transition == MenuNavigation::NoSlide) DrawFlames();
    DrawWords();
    navigation_.Animate();
    if (navigation_.page >= MenuNavigation::PlayPage) DrawFilePanel();
}

void Main_Menu::DrawHolderBars() const {
    const MenuNavigation& n = navigation_;
    DrawPlain(*holder_, n.gameStartOffset + 16, 32);
    DrawPlain(*holder_, n.newGameOffset + 160, 32);
    DrawPlain(*holder_, n.selectFileOffset + 160, 64);
    DrawPlain(*holder_, n.configureOffset + 16, 64);
    DrawPlain(*holder_, n.configureOffset + 16, 96);
    for (int32_t y = 32; y <= 128; y += 32) DrawPlain(*holder_, n.playOffset + 16, y);
}

void Main_Menu::DrawFlamePair(const Sprite& flame, int32_t x, int32_t y) const {
    DrawPlain(flame, x, y, navigation_.flameFrame);
    DrawPlain(flame, x + 128, y, navigation_.flameFrame, 1);
}

void Main_Menu::DrawFlames() const {
    int32_t cursorY = 32 * (navigation_.cursor + 1);
    switch (navigation_.page) {
    case MenuNavigation::MainPage: DrawFlamePair(*cursorFlame_, 16, cursorY); break;
    case MenuNavigation::GameStartPage:
        DrawFlamePair(*chosenFlame_, 16, 32);
        DrawFlamePair(*cursorFlame_, 160, cursorY);
        break;
    default:
        DrawFlamePair(*chosenFlame_, 160, 32);
        DrawFlamePair(*chosenFlame_, 160, 64);
        DrawFlamePair(*cursorFlame_, 16, cursorY);
        break;
    }
}

void DrawMenuWord(const Sprite& font, const char* word, int32_t x, int32_t y, bool highlighted) {
    for (const char* letter = word; *letter; ++letter, x += 8)
        if (*letter != ' ') DrawPlain(font, x, y, *letter - 'A' + (highlighted ? kHighlight : 0));
}

void ReleaseStagePicture() { gStagePicture.reset(); }

void Main_Menu::DrawWord(const char* word, int32_t x, int32_t y, bool highlighted) const {
    DrawMenuWord(*gMenuFont, word, x, y, highlighted);
}

void Main_Menu::DrawWords() const {
    const MenuNavigation& n = navigation_;
    bool page0 = n.page == MenuNavigation::MainPage;
    bool page1 = n.page == MenuNavigation::GameStartPage;
    DrawWord("GAME START", n.gameStartOffset + 48, 40, (n.cursor == 0 && page0) || n.page > 0);
    DrawWord("CONFIGURE", n.configureOffset + 52, 72, n.cursor == 1 && page0);
    DrawWord("OPTIONS", n.configureOffset + 60, 104, n.cursor == 2 && page0);
    DrawWord("NEW GAME", n.newGameOffset + 200, 40, n.cursor == 0 && page1);
    DrawWord("SELECT FILE", n.selectFileOffset + 186, 72, (n.cursor == 1 && page1) || n.page > 1);
    DrawWord("PLAY", n.playOffset + 72, 40, n.cursor == 0 && n.page > 1);
}

void Main_Menu::DrawFilePanel() const {
    for (int32_t i = 0; i <= 22; ++i)
        for (int32_t j = 0; j <= 16; ++j) gPanelBlock->Draw(181 + 4 * i, 100 + 4 * j, 0, 0, 0.13f, 0, kBackdropTint);
    DrawPanelBorder();
    if (navigation_.page == MenuNavigation::FileListPage)
        for (int32_t i = 0; i <= 9; ++i)
            gPanelBlock->Draw(183 + 8 * i, 101 + 8 * navigation_.listRow, 0, 0, 0.25f, 0, kFileCursorTint);
    DrawFileNames();
}

void Main_Menu::DrawPanelBorder() const {
    DrawPlain(*window_, 176, 98, TopLeft);
    DrawPlain(*window_, 270, 98, TopRight);
    DrawPlain(*window_, 176, 164, BottomLeft);
    DrawPlain(*window_, 270, 164, BottomRight);
    for (int32_t i = 0; i <= 10; ++i) {
        DrawPlain(*window_, 184 + 8 * i, 98, Top);
        DrawPlain(*window_, 184 + 8 * i, 164, Bottom);
    }
    for (int32_t i = 0; i <= 15; ++i) {
        DrawPlain(*window_, 176, 102 + 4 * i, LeftEdge);
        DrawPlain(*window_, 270, 102 + 4 * i, RightEdge);
    }
}

void Main_Menu::DrawFileNames() const {
    bool scrolling = files_.count >= 9;
    int32_t rows = scrolling ? MenuNavigation::kVisibleRows : files_.count;
    int32_t first = scrolling ? navigation_.listScroll : 0;
    for (int32_t r = 0; r < rows; ++r) {
        const SaveFileEntry& file = files_.files[first + r];
        for (int32_t g = 0; g < file.nameLength; ++g) DrawPlain(*gMenuFont, 183 + 8 * g, 101 + 8 * r, file.glyphs[g]);
        if (FileFinished(file)) DrawPlain(*gMenuFont, 183 + 8 * file.nameLength, 101 + 8 * r, kFinishedGlyph);
    }
}

const Main_Menu& TheMainMenu() { return gScreen; }
