#pragma once
#include "core/GameState.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include <cstdint>
#include <memory>
#include <optional>

// The closing screen of a lost game: over the moonlit sky the castle rises
// while the GAME OVER lettering sinks in, cycling its three frames. Buttons
// are ignored for 480 steps; after that any held action returns to the menu,
// and after 960 steps the screen returns by itself.
class GameOver : public GameState {
public:
    static constexpr int32_t kStillAfter = 480;
    static constexpr int32_t kLeaveAfter = 960;

    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    int32_t Timer() const { return timer_; }
    int32_t LetterFrame() const { return letterFrame_; }
    // Where the animation puts the castle and the lettering at a timer value.
    static int32_t CastleY(int32_t timer);
    static int32_t LettersY(int32_t timer);

private:
    std::optional<Sprite> moon_;
    std::optional<Sprite> castle_;
    std::optional<Sprite> letters_;
    std::unique_ptr<Sound> music_;
    int32_t letterTick_ = 0;
    int32_t letterFrame_ = 0;
    int32_t letterStep_ = 1;
    int32_t timer_ = 0;
};
