#pragma once
#include <list>

class Entity;

// Owns a set of entities, updates and draws them in the order of Add, and
// deletes them. Remove defers the deletion to the start of the next Update.
class EntityManager {
public:
    EntityManager() = default;
    EntityManager(const EntityManager&) = delete;
    EntityManager& operator=(const EntityManager&) = delete;
    ~EntityManager();

    // Refuses (after the error box) an entity that already has a manager,
    // so that no entity is ever owned twice.
    void Add(Entity* entity);
    void Remove(Entity* entity);
    void Update(float step);
    void Draw();
    // Removes and deletes every entity now.
    void Clear();

    const std::list<Entity*>& Entities() const { return entities_; }
    const std::list<Entity*>& Pending() const { return pending_; }

private:
    void DestroyPending();

    std::list<Entity*> entities_;
    std::list<Entity*> pending_;
};

// The entities drawn over every screen (the console).
EntityManager& TheEntityManager();
