#pragma once
#include "campaign/InputPacer.h"
#include "platform/Input.h"
#include <cstdint>

// A question answered NO or YES, NO chosen first: any arrow turns the answer
// over, ButtonA takes it, ButtonB answers NO.
class ConfirmQuestion {
public:
    enum Answer { Waiting, No, Yes };

    void Ask() { yes_ = false; }
    // One step with the held actions, once the pacer is ready.
    Answer Update(uint32_t held, InputPacer& pacer) {
        if (held & (Left | Right | Up | Down)) {
            pacer.Moved();
            yes_ = !yes_;
        }
        if (!(held & (ButtonA | ButtonB))) return Waiting;
        pacer.Pressed();
        return yes_ && (held & ButtonA) ? Yes : No;
    }
    bool YesChosen() const { return yes_; }

private:
    bool yes_ = false;
};
