#include "player/HeroContact.h"
#include "player/Player.h"

bool HeroContact::Alive() const { return hero_ && hero_->State() != HeroState::Dead; }

Vector3 HeroContact::Feet() const { return hero_ ? hero_->position : Vector3(); }

Vector3 HeroContact::Middle() const {
    return hero_ ? hero_->position - Vector3(0.0f, hero_->BodyHeight() * 0.5f) : Vector3();
}

Vector3 HeroContact::Size() const { return hero_ ? Vector3(hero_->size.x, hero_->BodyHeight()) : Vector3(); }

int32_t HeroContact::Facing() const { return hero_ ? hero_->Facing() : 1; }

bool HeroContact::Touches(const void* owner) const {
    if (!hero_) return false;
    for (const Collision::ICollision* hit : hero_->bodyBox.hits)
        if (hit->owner == owner) return true;
    return false;
}

bool HeroContact::WhipIn(const void* owner) const { return hero_ && hero_->TheWhip().Struck(owner); }

int32_t HeroContact::WhipLevel() const { return hero_ ? hero_->TheWhip().Level() : 0; }

bool HeroContact::Hurt(int32_t hearts, float fromX) { return hero_ && hero_->Hurt(hearts, fromX); }

void HeroContact::Heal(int32_t hearts) {
    if (hero_) hero_->Heal(hearts);
}

void HeroContact::RaiseWhip() {
    if (hero_) hero_->TheWhip().Raise();
}

void HeroContact::SetCheckpoint(const Vector3& feet) {
    if (hero_) hero_->SetCheckpoint(feet);
}

void HeroContact::Carry(const Vector3& move) {
    if (!hero_) return;
    hero_->position += move;
    hero_->PlaceShapes();
}
