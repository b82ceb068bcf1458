#include "things/ThingArt.h"

ThingArt::ThingArt()
    : sheet("sprites\\things.png", Colors::White, kFrameSize, kFrameSize),
      pickup(std::make_unique<Sound>("sound\\pickup.wav", false)),
      gemChime(std::make_unique<Sound>("sound\\gem.wav", false)),
      lanternWhoosh(std::make_unique<Sound>("sound\\lantern.wav", false)),
      crumble(std::make_unique<Sound>("sound\\crumble.wav", false)) {}

void ThingArt::DrawStanding(int32_t frame, int32_t x, int32_t y) const {
    sheet.Draw(x - kFrameSize / 2, y - (kStandingBottom + 1), frame, 0, 1.0f, 0, Color(0));
}

void ThingArt::DrawHanging(int32_t frame, int32_t left, int32_t top) const {
    sheet.Draw(left, top - kHangingTop, frame, 0, 1.0f, 0, Color(0));
}
