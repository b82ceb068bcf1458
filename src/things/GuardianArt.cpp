#include "things/GuardianArt.h"

// The gate grinds up with the crumbling stone's rumble.
GuardianArt::GuardianArt()
    : sheet_("sprites\\guardian.png", Colors::White, kFrameSize, kFrameSize),
      gateSound_(std::make_unique<Sound>("sound\\crumble.wav", false)) {}

void GuardianArt::Draw(int32_t frame, int32_t x, int32_t y, int32_t facing) const {
    sheet_.Draw(x - kFrameSize / 2, y - kFrameSize, frame, facing < 0 ? 1 : 0, 1.0f, 0, Color(0xFFFFFFFFu));
}

void GuardianArt::DrawBars(int32_t left, int32_t top) const {
    sheet_.Draw(left, top, kPortcullis, 0, 1.0f, 0, Color(0xFFFFFFFFu));
}
