#pragma once
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include <array>
#include <cstdint>
#include <memory>

// The enemies' sheet "sprites\enemies.png" and their sounds, loaded once and
// shared by every enemy, bone and burst alive: the last of them to go lets
// go of the files.
class EnemyArt {
public:
    // Frames of 32 by 48, each figure facing right with its feet on the
    // middle of the bottom row: every kind's frames in the order of the kind
    // table (FirstEnemyFrame), then the burst's. The bone and the burst lie
    // around the frame's middle, kMiddleHeight above its bottom.
    static constexpr float kMiddleHeight = 24.0f;
    enum class Cue { Death, Hit, Clank, Throw };

    EnemyArt();

    void Play(Cue cue);
    // Draws a frame with its bottom middle at (x, y) on the screen, facing
    // right (+1) or left (-1), turned about the frame's middle by `rotation`
    // tenths of a degree.
    void Draw(int32_t frame, int32_t x, int32_t y, int32_t facing, int32_t rotation = 0) const;

private:
    Sprite sheet_;
    std::array<std::unique_ptr<Sound>, 4> sounds_;
};
