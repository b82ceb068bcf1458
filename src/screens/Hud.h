#pragma once
#include "platform/Sprite.h"
#include <cstdint>
#include <optional>

class Player;

// The hearts, lives and whip of a play stage's hero along the top of the
// screen, in icons with a dark outline that read over every background.
// The console grows from the bottom and stops well below it.
class Hud {
public:
    static constexpr int32_t kIconSize = 10;
    static constexpr int32_t kTop = 4;
    static constexpr int32_t kHeight = kTop + kIconSize;

    void Load();
    void Release();
    void Draw(const Player& hero) const;

private:
    void DrawRow(int32_t frame, int32_t count, int32_t x) const;
    std::optional<Sprite> icons_;
};
