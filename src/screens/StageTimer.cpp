#include "screens/StageTimer.h"
#include "campaign/SaveFile.h"
#include "campaign/Settings.h"
#include "screens/Hud.h"

void StageTimer::Load() { text_.Load(); }

void StageTimer::Release() { text_.Release(); }

void StageTimer::Draw(int32_t steps) const {
    if (text_.Loaded() && TheSettings().values.timer) text_.DrawCentred(StepsAsTime(steps), Hud::kTop + 1, false);
}
