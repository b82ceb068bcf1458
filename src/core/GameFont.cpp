#include "core/GameFont.h"
#include <optional>

namespace {
std::optional<Sprite> gFont;
int32_t gHolders = 0;
}

void TakeGameFont() {
    if (gHolders++ == 0) gFont.emplace("sprites\\DH3font1.png", Colors::White, 8, 8, 121);
}

void ReleaseGameFont() {
    if (--gHolders == 0) gFont.reset();
}

const Sprite& GameFont() { return *gFont; }
