#include "things/EnemyArt.h"

namespace {
constexpr int32_t kFrameWidth = 32;
constexpr int32_t kFrameHeight = 48;
// In the order of EnemyArt::Cue.
const char* const kSoundFiles[] = {"sound\\ZombieDeath.wav", "sound\\enemyhit.wav", "sound\\clank.wav",
                                   "sound\\bonethrow.wav"};
}

EnemyArt::EnemyArt() : sheet_("sprites\\enemies.png", Colors::White, kFrameWidth, kFrameHeight) {
    for (size_t i = 0; i < sounds_.size(); ++i) sounds_[i] = std::make_unique<Sound>(kSoundFiles[i], false);
}

void EnemyArt::Play(Cue cue) { sounds_[size_t(cue)]->Play(); }

void EnemyArt::Draw(int32_t frame, int32_t x, int32_t y, int32_t facing, int32_t rotation) const {
    sheet_.Draw(x - kFrameWidth / 2, y - kFrameHeight, frame, facing < 0 ? 1 : 0, 1.0f, rotation, Color(0xFFFFFFFFu));
}
