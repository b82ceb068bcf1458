#pragma once
#include "base/Vector3.h"
#include <cstdint>

class Player;

// What the things of a play stage may know of the hero and do to him: his
// box, his whip's reach, a hurt with its knock-back, a heal, a stronger whip,
// a checkpoint, and carrying him along. Without a hero (an empty stage) it
// tells nothing and does nothing.
class HeroContact {
public:
    explicit HeroContact(Player* hero = nullptr) : hero_(hero) {}

    bool Present() const { return hero_ != nullptr; }
    // Alive, neither dying nor dead.
    bool Alive() const;
    // The middle of his feet, and of his body.
    Vector3 Feet() const;
    Vector3 Middle() const;
    Vector3 Size() const;
    int32_t Facing() const;
    // Whether the latest collision pass found his body in the box `owner` owns.
    bool Touches(const void* owner) const;
    // Whether the lash of his whip is in that box now, and how strong the whip is.
    bool WhipIn(const void* owner) const;
    int32_t WhipLevel() const;

    // A hit from x = fromX (see Player::Hurt); false when it did not count.
    bool Hurt(int32_t hearts, float fromX);
    void Heal(int32_t hearts);
    void RaiseWhip();
    void SetCheckpoint(const Vector3& feet);
    // Moves him with what he stands on.
    void Carry(const Vector3& move);

private:
    Player* hero_;
};
