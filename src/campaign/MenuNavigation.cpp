#include "campaign/MenuNavigation.h"
#include "platform/Input.h"
#include <algorithm>
#include <utility>

void MenuNavigation::Reset() { *this = MenuNavigation(); }

// The two slides run to their ends, as the presses that open them would.
void MenuNavigation::OpenAtFile(int32_t file) {
    Reset();
    for (int32_t slide : {OpenGameStart, OpenSelectFile}) {
        transition = slide;
        while (transition != NoSlide) Animate();
    }
    flameFrame = 0;
    flameTick = 0;
    page = FileListPage;
    listScroll = std::max(file - (kVisibleRows - 1), 0);
    listRow = file - listScroll;
}

MenuNavigation::Choice MenuNavigation::Update(uint32_t held, int32_t fileCount) {
    if (!pacer.Ready() || transition != NoSlide) return NoChoice;
    if (held & Down) MoveDown(fileCount);
    if (held & Up) MoveUp();
    if (held & ButtonA)
        if (Choice choice = PressA(fileCount); choice != NoChoice) return choice;
    if (held & ButtonB) PressB();
    else if (held & (Left | Right)) Turn(held);
    return NoChoice;
}

// Right goes from the PLAY column into the file list beside it, Left back.
void MenuNavigation::Turn(uint32_t held) {
    const bool right = held & Right;
    if (page == PlayPage && right) page = FileListPage;
    else if (page == FileListPage && !right) page = PlayPage;
    else return;
    pacer.Moved();
}

void MenuNavigation::FitList(int32_t fileCount) {
    const int32_t file = std::min(ChosenFile(), std::max(fileCount - 1, 0));
    listScroll = std::min(listScroll, std::max(fileCount - kVisibleRows, 0));
    listRow = file - listScroll;
}

void MenuNavigation::MoveDown(int32_t fileCount) {
    static const int32_t kLastCursor[] = {2, 1, kStagesEntry};
    pacer.Moved();
    if (page == FileListPage) {
        if (listRow < fileCount - listScroll - 1) ++listRow;
    } else {
        cursor = std::min(cursor + 1, kLastCursor[page]);
    }
    if (listRow > kVisibleRows - 1) {
        ++listScroll;
        listRow = kVisibleRows - 1;
    }
}

void MenuNavigation::MoveUp() {
    pacer.Moved();
    if (page == FileListPage) {
        if (listRow > 0 || listScroll > 0) --listRow;
    } else if (cursor > 0) {
        --cursor;
    }
    if (listRow < 0) {
        --listScroll;
        listRow = 0;
    }
}

MenuNavigation::Choice MenuNavigation::PressA(int32_t fileCount) {
    pacer.Pressed();
    // PLAY, ERASE or STAGES on a row without a file (an empty list) does nothing.
    if (page == FileListPage && ChosenFile() < fileCount) {
        if (cursor == kPlayEntry) return PlayChosenFile;
        if (cursor == kEraseEntry) return EraseChosenFile;
        if (cursor == kStagesEntry) return OpenChosenStages;
    }
    if (page == MainPage && cursor == 0) transition = OpenGameStart;
    else if (page == GameStartPage && cursor == 0) return MakeNewFile;
    else if (page == MainPage && cursor == 1) return OpenConfigure;
    else if (page == MainPage && cursor == 2) return OpenOptions;
    else if (page == GameStartPage && cursor == 1) transition = OpenSelectFile;
    else if (page == PlayPage) page = FileListPage;
    return NoChoice;
}

void MenuNavigation::PressB() {
    pacer.Pressed();
    if (page == GameStartPage) transition = CloseGameStart;
    else if (page == PlayPage) transition = CloseSelectFile;
    else if (page == FileListPage) page = PlayPage;
}

void MenuNavigation::SlideSideColumns(int32_t delta) {
    configureOffset += delta;
    newGameOffset += delta;
    selectFileOffset += delta;
}

void MenuNavigation::SlidePlayColumn(int32_t delta) {
    newGameOffset += delta;
    gameStartOffset = std::clamp(gameStartOffset + delta, 0, 144);
    playOffset += delta;
}

void MenuNavigation::Animate() {
    if (++flameTick == 4) {
        flameTick = 0;
        if (++flameFrame == 4) flameFrame = 0;
    }
    switch (transition) {
    case OpenGameStart:
        SlideSideColumns(-kSlideStep);
        EndSlideAt(0, GameStartPage, cursor);
        break;
    case CloseGameStart:
        SlideSideColumns(kSlideStep);
        EndSlideAt(200, MainPage, 0);
        break;
    case OpenSelectFile:
        SlidePlayColumn(kSlideStep);
        EndSlideAt(200, PlayPage, 0);
        break;
    case CloseSelectFile:
        SlidePlayColumn(-kSlideStep);
        EndSlideAt(0, GameStartPage, 1);
        break;
    }
}

// Every slide ends when the NEW GAME bar has reached its place.
void MenuNavigation::EndSlideAt(int32_t newGameEnd, int32_t nextPage, int32_t nextCursor) {
    if (newGameOffset != newGameEnd) return;
    transition = NoSlide;
    page = nextPage;
    cursor = nextCursor;
}
