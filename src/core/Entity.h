#pragma once

class EntityManager;

// An object that is updated once per step and drawn once per draw.
class Entity {
public:
    Entity() = default;
    virtual ~Entity() = default;
    virtual void Update(float step) = 0;
    virtual void Draw() = 0;

    EntityManager* manager = nullptr;
};
