#pragma once
#include "screens/MenuText.h"
#include <cstdint>

// The stage's time at the top of a play stage's screen, between the hearts
// and the lives, as the tally shows it; only with TIMER on in OPTIONS.
class StageTimer {
public:
    void Load();
    void Release();
    void Draw(int32_t steps) const;

private:
    MenuText text_;
};
