#pragma once
#include "core/EntityManager.h"
#include "core/GameState.h"
#include "platform/Sound.h"
#include "platform/Sprite.h"
#include <memory>
#include <optional>

namespace LevelNamespace {
class Level;
}
struct StageRow;

// The stage being played: the level named by TheLevelName() and, once it is
// loaded, the hero, both held by this state's own entity manager. The stage
// is cleared when the hero passes the right edge of the main grid: the hero
// stops, the stage-clear tune plays under STAGE CLEAR, and after the banner
// the next stage of the stage table starts (the main menu after the last).
class State_Game : public GameState {
public:
    static constexpr int32_t kClearBannerSteps = 180;

    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    // Steps since the stage was cleared; -1 while it is played.
    int32_t ClearSteps() const { return clearSteps_; }

    // Owned by `entities`, not by this field.
    LevelNamespace::Level* level = nullptr;
    EntityManager entities;

private:
    void StartClear();
    void ReleaseClear();

    int32_t clearSteps_ = -1;
    const StageRow* nextStage_ = nullptr;
    std::optional<Sprite> bannerFont_;
    std::unique_ptr<Sound> clearTune_;
};
