#pragma once
#include "core/EntityManager.h"
#include "core/GameState.h"

namespace LevelNamespace {
class Level;
}

// The stage being played: the level named by TheLevelName() and, once it is
// loaded, the hero, both held by this state's own entity manager.
class State_Game : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;

    // Owned by `entities`, not by this field.
    LevelNamespace::Level* level = nullptr;
    EntityManager entities;
};
