#pragma once
#include "screens/MenuText.h"
#include <cstdint>

// A stage's name over its first two seconds, in the warm capitals of the
// menu font, across the middle of the screen above the hero.
class StageTitle {
public:
    // Two seconds at 16 ms a step.
    static constexpr int32_t kShownSteps = 125;

    // Shows `name` (capitals and spaces) from now on; null shows nothing.
    void Show(const char* name);
    // One step of play: the name goes, with its font, when its time is up.
    void Step();
    void Draw() const;
    void Release();
    // The name while it is shown, else null.
    const char* Shown() const { return name_; }

private:
    MenuText text_;
    const char* name_ = nullptr;
    int32_t stepsLeft_ = 0;
};
