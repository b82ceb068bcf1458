#pragma once
#include "core/GameState.h"

class TitleScreen : public GameState {
public:
    void Enter() override;
    void Leave() override;
    void Update(float step) override;
    void Draw() override;
};
