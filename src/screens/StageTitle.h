#pragma once
#include "base/Vector3.h"
#include "screens/MenuText.h"
#include <cstdint>
#include <optional>

// A stage's name as it starts, in the warm capitals of the menu font,
// across the middle of the screen above the hero. By the engine's rules it
// stands two seconds; in a play stage until the hero first moves, or four
// seconds if he does not, so that a player reads it before he sets off.
class StageTitle {
public:
    // Two and four seconds at 16 ms a step.
    static constexpr int32_t kShownSteps = 125;
    static constexpr int32_t kUntilMovedSteps = 250;

    // Shows `name` (capitals and spaces) from now on; null shows nothing.
    // `untilMoved`: a play stage's title, which goes when the hero moves.
    void Show(const char* name, bool untilMoved);
    // One step of play with the hero where he is now: the name goes, with
    // its font, when its time is up or he has moved.
    void Step(const std::optional<Vector3>& hero);
    void Draw() const;
    void Release();
    // The name while it is shown, else null.
    const char* Shown() const { return name_; }

private:
    MenuText text_;
    const char* name_ = nullptr;
    int32_t stepsLeft_ = 0;
    bool untilMoved_ = false;
    std::optional<Vector3> heroStart_;
};
