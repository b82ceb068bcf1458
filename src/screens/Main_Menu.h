#pragma once
#include "core/GameState.h"
#include "platform/Sprite.h"
#include "campaign/MenuNavigation.h"
#include "campaign/SaveFile.h"
#include "screens/FileDialogs.h"
#include "screens/MenuText.h"
#include <cstdint>
#include <optional>
#include <string>

// The screen between the title and play: a column of framed entries with
// flames beside the current one; GAME START and SELECT FILE slide in further
// columns and the list of saved files; PLAY starts the chosen file's
// stage, STAGES opens its page of stages.
class Main_Menu : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    const MenuNavigation& Navigation() const { return navigation_; }
    const SaveFileTable& Files() const { return files_; }
    const FileDialogs& Dialogs() const { return dialogs_; }
    // Starts `stage` from the file at place `file` of the list; a replay of
    // a cleared stage names its row of the stage table, others -1. With
    // `watch` the file's best run of the stage plays it (WATCH BEST RUN).
    void StartStage(int32_t file, int32_t stage, int32_t replayedRow, bool watch = false);

private:
    void TakeChoice(MenuNavigation::Choice choice);
    void UpdateDialog(uint32_t held);
    void StartFile(int32_t file);
    void MakeFile(const std::string& name);
    void EraseChosenFile();
    MenuPictures Pictures() const;
    void DrawHolderBars() const;
    void DrawFlames() const;
    void DrawFlamePair(const Sprite& flame, int32_t x, int32_t y) const;
    void DrawWords() const;
    void DrawWord(const char* word, int32_t x, int32_t y, bool highlighted) const;
    void DrawFilePanel() const;
    void DrawFileNames() const;
    void DrawFileDetails() const;
    void ReleasePictures();

    MenuText text_;
    MenuArt art_;
    MenuNavigation navigation_;
    SaveFileTable files_;
    FileDialogs dialogs_;
    // The row of the STAGES page to open on the first step, after a replay; -1 for none.
    int32_t stagesRow_ = -1;
};

// Releases the first stage's picture that the menu loaded for the stage.
void ReleaseStagePicture();

// The menu screen itself, for the trace and the pages over it.
Main_Menu& TheMainMenu();
