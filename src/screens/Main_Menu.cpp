#include "screens/Main_Menu.h"
#include "campaign/BestRunRecords.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "core/StateStack.h"
#include "platform/Input.h"
#include "platform/Sound.h"
#include "campaign/SaveProgress.h"
#include "screens/ConfigureScreen.h"
#include "screens/OptionsScreen.h"
#include "screens/Screens.h"
#include "screens/StagesScreen.h"
#include "campaign/StageMusic.h"
#include "campaign/StageTable.h"
#include "world/LevelName.h"
#include <utility>

namespace {
Main_Menu gScreen;

// Pictures that live outside the menu object: the panel block (a light
// square that the draws tint) and the first stage's picture, which the menu
// loads for the stage and nothing draws.
std::optional<Sprite> gPanelBlock;
std::optional<Sprite> gStagePicture;

constexpr Color kNoKey{0};
constexpr Color kBackgroundTint{0xFF0000FFu};
// The heart of the menu font, drawn after the name of a finished file.
constexpr int32_t kFinishedGlyph = 42;
// The file panel: names from x 183, rows 8 pixels apart from y 101, and
// right of the names (and the heart) each file's stage, its place in the
// stage table, ending at kStageRight.
constexpr int32_t kPanelRight = 294;
constexpr int32_t kRowLetters = 13;
constexpr int32_t kStageRight = 183 + 8 * kRowLetters;
// Below the panel: the stage's short name and the best gems of the chosen file.
constexpr int32_t kDetailsY = 174;
}
GameState* const gMainMenu = &gScreen;

void Main_Menu::Enter() {
    gStagePicture.reset();
    text_.Load();
    gPanelBlock.emplace("sprites\\black.png", kNoKey, 32, 32);
    // A missing save file only leaves the list as it was; the status line
    // tells a player why it is empty.
    if (!ReadMenuSaveFile(files_)) PrintStatus("No save file svfile: the file list stays as it was");
    art_.Load();
    dialogs_.Close();
    const bool retry = TakeRetry();
    stagesRow_ = PlayedFile() >= 0 ? ReplayedRow() : -1;
    SetReplayedRow(-1);
    if ((retry || stagesRow_ >= 0) && PlayedFile() >= 0) navigation_.OpenAtFile(PlayedFile());
    else navigation_.Reset();
    if (stagesRow_ >= 0) navigation_.cursor = MenuNavigation::kStagesEntry;
    ReplaceStageMusic("music\\DH3- Lament.mid");
    PlayStageMusic(true);
}

void Main_Menu::Leave() {
    dialogs_.Close();
    StopStageMusic();
    if (const StageRow* row = FindStage(TheStageNumber())) {
        SetLevelName(row->levelName);
        ReplaceStageMusic(row->music);
        if (row->picture) gStagePicture.emplace(row->picture, Colors::Red, 168, 24);
    }
    ReleasePictures();
}

void Main_Menu::ReleasePictures() {
    text_.Release();
    gPanelBlock.reset();
    art_.Release();
}

void Main_Menu::Update(float) {
    uint32_t held = TheInput().held;
    UpdateSoundSystem();
    // The page is pushed from here, not from Enter: it must go on top of the menu.
    if (stagesRow_ >= 0) TheStagesScreen().Show(PlayedFile(), std::exchange(stagesRow_, -1));
    else if (dialogs_.Open() != FileDialogs::None) UpdateDialog(held);
    else TakeChoice(navigation_.Update(held, files_.count));
}

void Main_Menu::TakeChoice(MenuNavigation::Choice choice) {
    switch (choice) {
    case MenuNavigation::PlayChosenFile: StartFile(navigation_.ChosenFile()); break;
    case MenuNavigation::MakeNewFile:
        if (files_.count >= kMaxSaveFiles) dialogs_.OpenListFull();
        else dialogs_.OpenNaming();
        break;
    case MenuNavigation::EraseChosenFile:
        dialogs_.OpenErasing(SaveEntryName(files_.files[navigation_.ChosenFile()]));
        break;
    case MenuNavigation::OpenChosenStages: TheStagesScreen().Show(navigation_.ChosenFile(), -1); break;
    case MenuNavigation::OpenConfigure: TheStateStack().PushState(gConfigureScreen); break;
    case MenuNavigation::OpenOptions: TheStateStack().PushState(gOptionsScreen); break;
    case MenuNavigation::NoChoice: break;
    }
}

// The button that closes a box is not taken again by the menu behind it.
void Main_Menu::UpdateDialog(uint32_t held) {
    const FileDialogs::Outcome outcome = dialogs_.Update(held, TheInput().typed);
    if (dialogs_.Open() == FileDialogs::None) navigation_.pacer.Pressed();
    if (outcome == FileDialogs::NameChosen) MakeFile(dialogs_.Entry().Name());
    else if (outcome == FileDialogs::EraseConfirmed) EraseChosenFile();
}

void Main_Menu::StartFile(int32_t file) {
    if (file >= 0 && file < files_.count) StartStage(file, files_.files[file].stage, -1);
}

void Main_Menu::StartStage(int32_t file, int32_t stage, int32_t replayedRow, bool watch) {
    // A file that names a stage the game does not have starts nothing.
    if (!FindStage(stage)) {
        PrintStatus("The chosen file names stage %d, which the game does not have", int(stage));
        return;
    }
    TheStageNumber() = stage;
    SetPlayedFile(file);
    SetReplayedRow(replayedRow);
    AskToWatchRun(watch);
    TheStateStack().ChangeState(gStateGame);
}

// A new file starts at once at the first stage: a player who picks NEW GAME
// has come to play. Game over brings the menu back with the cursor on it.
void Main_Menu::MakeFile(const std::string& name) {
    SaveFileEntry entry;
    std::string error;
    if (!MakeSaveEntry(name, StageRows()[0].stage, entry, error)) {
        TellPlayer("No new file: %s", error.c_str());
        return;
    }
    if (AddNewFile(entry) < 0) {
        dialogs_.OpenListFull();
        return;
    }
    // The list read again holds the new file where it is now.
    ReadMenuSaveFile(files_);
    StartFile(PlayedFile());
}

void Main_Menu::EraseChosenFile() {
    const int32_t file = navigation_.ChosenFile();
    const std::string name = SaveEntryName(files_.files[file]);
    std::string why;
    if (!EraseFile(file, why)) {
        TellPlayer("File %s not erased: %s", name.c_str(), why.c_str());
        return;
    }
    ReadMenuSaveFile(files_);
    navigation_.FitList(files_.count);
    PrintStatus("File %s erased", name.c_str());
}

MenuPictures Main_Menu::Pictures() const { return MenuPictures{text_, *gPanelBlock, *art_.window}; }

void Main_Menu::Draw() {
    art_.background->Draw(0, 0, 0, 0, 1.0f, 0, kBackgroundTint);
    DrawHolderBars();
    if (navigation_.transition == MenuNavigation::NoSlide) DrawFlames();
    DrawWords();
    navigation_.Animate();
    if (navigation_.page >= MenuNavigation::PlayPage) DrawFilePanel();
    dialogs_.Draw(Pictures());
}

void Main_Menu::DrawHolderBars() const {
    const MenuNavigation& n = navigation_;
    DrawPlain(*art_.holder, n.gameStartOffset + 16, 32);
    DrawPlain(*art_.holder, n.newGameOffset + 160, 32);
    DrawPlain(*art_.holder, n.selectFileOffset + 160, 64);
    DrawPlain(*art_.holder, n.configureOffset + 16, 64);
    DrawPlain(*art_.holder, n.configureOffset + 16, 96);
    // PLAY, ERASE and STAGES.
    for (int32_t y = 32; y <= 96; y += 32) DrawPlain(*art_.holder, n.playOffset + 16, y);
}

void Main_Menu::DrawFlamePair(const Sprite& flame, int32_t x, int32_t y) const {
    DrawPlain(flame, x, y, navigation_.flameFrame);
    DrawPlain(flame, x + 128, y, navigation_.flameFrame, 1);
}

void Main_Menu::DrawFlames() const {
    int32_t cursorY = 32 * (navigation_.cursor + 1);
    switch (navigation_.page) {
    case MenuNavigation::MainPage: DrawFlamePair(*art_.cursorFlame, 16, cursorY); break;
    case MenuNavigation::GameStartPage:
        DrawFlamePair(*art_.chosenFlame, 16, 32);
        DrawFlamePair(*art_.cursorFlame, 160, cursorY);
        break;
    default:
        DrawFlamePair(*art_.chosenFlame, 160, 32);
        DrawFlamePair(*art_.chosenFlame, 160, 64);
        DrawFlamePair(*art_.cursorFlame, 16, cursorY);
        break;
    }
}

void ReleaseStagePicture() { gStagePicture.reset(); }

void Main_Menu::DrawWord(const char* word, int32_t x, int32_t y, bool highlighted) const {
    text_.Draw(word, x, y, highlighted);
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
    DrawWord("PLAY", n.playOffset + 72, 40, n.cursor == MenuNavigation::kPlayEntry && n.page > 1);
    DrawWord("ERASE", n.playOffset + 68, 72, n.cursor == MenuNavigation::kEraseEntry && n.page > 1);
    DrawWord("STAGES", n.playOffset + 64, 104, n.cursor == MenuNavigation::kStagesEntry && n.page > 1);
}

void Main_Menu::DrawFilePanel() const {
    DrawFramedBox(Pictures(), 176, 98, kPanelRight, 164);
    if (navigation_.page == MenuNavigation::FileListPage)
        DrawCursorBar(Pictures(), 183, 101 + 8 * navigation_.listRow, kRowLetters);
    DrawFileNames();
    DrawFileDetails();
}

// A file whose stage is not in the stage table shows '?' for it. The row
// under the list's cursor is written in the warm glyphs on its bar.
void Main_Menu::DrawFileNames() const {
    bool scrolling = files_.count >= 9;
    int32_t rows = scrolling ? MenuNavigation::kVisibleRows : files_.count;
    int32_t first = scrolling ? navigation_.listScroll : 0;
    const bool listOpen = navigation_.page == MenuNavigation::FileListPage;
    for (int32_t r = 0; r < rows; ++r) {
        const SaveFileEntry& file = files_.files[first + r];
        const int32_t y = 101 + 8 * r;
        const bool chosen = listOpen && first + r == navigation_.ChosenFile();
        const int32_t warm = chosen ? MenuText::kWarmFrames : 0;
        for (int32_t g = 0; g < file.nameLength; ++g)
            DrawPlain(text_.Font(), 183 + 8 * g, y,
                      file.glyphs[g] + (file.glyphs[g] < MenuText::kWarmFrames ? warm : 0));
        if (FileFinished(file)) DrawPlain(text_.Font(), 183 + 8 * file.nameLength, y, kFinishedGlyph + warm);
        const StageRow* row = FindStage(file.stage);
        const std::string stage = row ? std::to_string(row - StageRows() + 1) : "?";
        text_.Draw(stage, kStageRight - 8 * int32_t(stage.size()), y, chosen);
    }
}

// The stage of the file under the list's cursor by its short name, and the
// gems it found, each stage's best added up, when it found any.
void Main_Menu::DrawFileDetails() const {
    const int32_t chosen = navigation_.ChosenFile();
    if (chosen >= files_.count) return;
    const SaveFileEntry& file = files_.files[chosen];
    const StageRow* row = FindStage(file.stage);
    text_.Draw(row ? row->shortName : "?", 183, kDetailsY, false);
    const int32_t gems = AllBestGems(file);
    if (gems > 0) text_.Draw("GEMS " + std::to_string(gems), 183, kDetailsY + 10, false);
}

Main_Menu& TheMainMenu() { return gScreen; }
