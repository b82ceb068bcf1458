#include "things/GuardianArt.h"
#include "world/Camera.h"

// The gate grinds up with the crumbling stone's rumble.
GuardianArt::GuardianArt()
    : sheet_("sprites\\guardian.png", Colors::White, kFrameSize, kFrameSize),
      gateSound_(std::make_unique<Sound>("sound\\crumble.wav", false)) {}

void GuardianArt::Draw(int32_t frame, const Vector3& feet, int32_t facing) const {
    const int32_t left = int32_t(feet.x - TheCamera().X()) - kFrameSize / 2;
    const int32_t top = int32_t(feet.y - TheCamera().Y()) - kFrameSize;
    sheet_.Draw(left, top, frame, facing < 0 ? 1 : 0, 1.0f, 0, Color(0xFFFFFFFFu));
}

void GuardianArt::DrawBars(int32_t left, int32_t top) const {
    sheet_.Draw(left, top, kPortcullis, 0, 1.0f, 0, Color(0xFFFFFFFFu));
}
