#include "core/EntityManager.h"
#include "core/Entity.h"
#include "platform/ErrorBox.h"
#include <algorithm>

EntityManager::~EntityManager() { Clear(); }

void EntityManager::Add(Entity* entity) {
    if (entity->manager != nullptr) {
        ShowError("Entity already has a manager set");
        return;
    }
    entity->manager = this;
    entities_.push_back(entity);
}

void EntityManager::Remove(Entity* entity) {
    auto it = std::find(entities_.begin(), entities_.end(), entity);
    if (it == entities_.end()) return;
    pending_.push_back(entity);
    entities_.erase(it);
}

void EntityManager::DestroyPending() {
    std::list<Entity*> doomed;
    doomed.swap(pending_);
    for (Entity* entity : doomed) delete entity;
}

void EntityManager::Update(float step) {
    DestroyPending();
    // An entity added during the walk is reached in the same walk.
    for (auto it = entities_.begin(); it != entities_.end(); ++it) (*it)->Update(step);
}

void EntityManager::Draw() {
    for (Entity* entity : entities_) entity->Draw();
}

void EntityManager::Clear() {
    for (auto it = entities_.begin(); it != entities_.end();) {
        Entity* entity = *it++;
        Remove(entity);
    }
    DestroyPending();
}

EntityManager& TheEntityManager() {
    static EntityManager manager;
    return manager;
}
