#pragma once
#include "campaign/InputPacer.h"
#include <cstdint>

// The moving parts of the main menu: which column is active, the cursor in
// it, the file list's row and scroll, the pacing of held buttons, the slide in progress
// and the flame animation. Update takes one step's held actions; Animate
// runs once per draw and moves the slides on. Kept apart from the pictures
// so that it can be driven without a window.
class MenuNavigation {
public:
    enum Page : int32_t { MainPage = 0, GameStartPage = 1, PlayPage = 2, FileListPage = 3 };
    enum Transition : int32_t { NoSlide, OpenGameStart, CloseGameStart, OpenSelectFile, CloseSelectFile };
    static constexpr int32_t kVisibleRows = 8;
    static constexpr int32_t kSlideStep = 8;
    // The PLAY column's entries.
    static constexpr int32_t kPlayEntry = 0;
    static constexpr int32_t kEraseEntry = 1;
    static constexpr int32_t kStagesEntry = 2;
    // What a step asks of the menu screen.
    enum Choice : int32_t {
        NoChoice,
        PlayChosenFile,
        MakeNewFile,
        EraseChosenFile,
        OpenConfigure,
        OpenOptions,
        OpenChosenStages
    };

    // The state every visit to the menu starts from.
    void Reset();
    // The state after a lost stage: the file list open on `file`, so that
    // one press of ButtonA plays it again.
    void OpenAtFile(int32_t file);
    // One update step: PLAY, ERASE or STAGES confirmed on a file of the list
    // (ChosenFile says which), NEW GAME, CONFIGURE or OPTIONS chosen.
    Choice Update(uint32_t held, int32_t fileCount);
    // After the list lost a file: the list's cursor stays on a file (the
    // one after the lost one, or the new last) and the scroll shows it.
    void FitList(int32_t fileCount);
    // One draw: advances the flames and moves a running slide by 8 pixels.
    void Animate();
    int32_t ChosenFile() const { return listScroll + listRow; }

    int32_t cursor = 0;
    InputPacer pacer;
    int32_t listRow = 0;
    int32_t page = MainPage;
    int32_t transition = NoSlide;
    int32_t listScroll = 0;
    int32_t flameFrame = 0;
    int32_t flameTick = 0;
    // Horizontal offsets of the groups that slide in and out.
    int32_t gameStartOffset = 0;
    int32_t configureOffset = 0;  // the CONFIGURE and OPTIONS bars
    int32_t newGameOffset = 200;
    int32_t selectFileOffset = 200;
    int32_t playOffset = -200;

private:
    void MoveDown(int32_t fileCount);
    void MoveUp();
    Choice PressA(int32_t fileCount);
    void PressB();
    void Turn(uint32_t held);
    void SlideSideColumns(int32_t delta);
    void SlidePlayColumn(int32_t delta);
    void EndSlideAt(int32_t newGameEnd, int32_t nextPage, int32_t nextCursor);
};
