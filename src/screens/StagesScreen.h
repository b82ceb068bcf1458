#pragma once
#include "campaign/StagesPage.h"
#include "core/GameState.h"
#include "screens/PagePictures.h"
#include <cstdint>

// A saved file's STAGES page, in the main menu's pictures and font, pushed
// over the menu by STAGES on a file of its list and popped by BACK. A stage
// chosen there starts from that file: a cleared one as a replay, which
// comes back to this page when it ends, as a watched best run does.
class StagesScreen : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    // Pushes the page of the menu's file at place `file`, the cursor on
    // `stageRow` (the file's stage when it cannot be played).
    void Show(int32_t file, int32_t stageRow);
    const StagesPage& Page() const { return page_; }
    int32_t File() const { return file_; }

private:
    void Play(int32_t stageRow, bool watch);

    PagePictures pictures_;
    StagesPage page_;
    int32_t file_ = -1;
    int32_t openRow_ = -1;
};

extern GameState* const gStagesScreen;
StagesScreen& TheStagesScreen();
