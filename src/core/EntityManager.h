#pragma once
#include <cstddef>
#include <memory>
#include <vector>

class Entity;

// Owns a set of entities, updates them in the order of Add, draws them layer
// by layer in that order, and deletes them. Remove defers the deletion to the start of the next Update,
// so that an entity may remove itself, or any other, from inside an Update
// or a Draw, and may add new ones there: a walk reaches what is added during
// it and skips what is removed.
class EntityManager {
public:
    EntityManager() = default;
    EntityManager(const EntityManager&) = delete;
    EntityManager& operator=(const EntityManager&) = delete;
    ~EntityManager();

    // Refuses (after the error box) an entity that already has a manager:
    // that manager owns it, so it is neither taken nor deleted here.
    void Add(std::unique_ptr<Entity> entity);
    void Remove(Entity* entity);
    void Update(float step);
    void Draw();
    // Removes every entity; they are deleted now unless a walk is running.
    void Clear();

    // The live entities, in the order of Add.
    std::vector<Entity*> Entities() const;
    std::size_t PendingCount() const { return pending_.size(); }

private:
    template <class Visit>
    void Walk(Visit visit);
    void DestroyPending();

    // A slot emptied during a walk stays until the walk ends, so that the
    // walk's position stays valid.
    std::vector<std::unique_ptr<Entity>> entities_;
    std::vector<std::unique_ptr<Entity>> pending_;
    int walks_ = 0;
};

// The entities drawn over every screen (the console).
EntityManager& TheEntityManager();
