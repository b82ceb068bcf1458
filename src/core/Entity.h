#pragma once

class EntityManager;

// What an entity's picture lies on: a manager draws the ground (the level,
// the ledges a stage places) before the figures that stand on it, each
// layer in the order of Add.
enum class DrawLayer { Ground, Figures };

// An object that is updated once per step and drawn once per draw.
class Entity {
public:
    Entity() = default;
    virtual ~Entity() = default;
    virtual void Update(float step) = 0;
    virtual void Draw() = 0;
    virtual DrawLayer Layer() const { return DrawLayer::Figures; }

    EntityManager* manager = nullptr;
};
