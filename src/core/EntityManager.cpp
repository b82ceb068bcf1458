#include "core/EntityManager.h"
#include "core/Entity.h"
#include "platform/ErrorBox.h"
#include <algorithm>

EntityManager::~EntityManager() { Clear(); }

void EntityManager::Add(std::unique_ptr<Entity> entity) {
    if (entity->manager != nullptr) {
        ShowError("Entity already has a manager set");
        entity.release();  // its own manager deletes it
        return;
    }
    entity->manager = this;
    entities_.push_back(std::move(entity));
}

void EntityManager::Remove(Entity* entity) {
    if (entity == nullptr) return;
    auto it = std::find_if(entities_.begin(), entities_.end(),
                           [entity](const std::unique_ptr<Entity>& live) { return live.get() == entity; });
    if (it == entities_.end()) return;
    pending_.push_back(std::move(*it));
    if (walks_ == 0) entities_.erase(it);
}

void EntityManager::DestroyPending() {
    // Taken out first: a destructor may add or remove entities.
    std::vector<std::unique_ptr<Entity>> doomed;
    doomed.swap(pending_);
    for (std::unique_ptr<Entity>& entity : doomed) entity.reset();  // in the order of removal
}

// Visits by index, as the list may grow during the walk; the slots that
// the walk emptied are dropped when the outermost walk ends.
template <class Visit>
void EntityManager::Walk(Visit visit) {
    ++walks_;
    for (std::size_t i = 0; i < entities_.size(); ++i)
        if (Entity* entity = entities_[i].get()) visit(entity);
    if (--walks_ == 0) entities_.erase(std::remove(entities_.begin(), entities_.end(), nullptr), entities_.end());
}

void EntityManager::Update(float step) {
    DestroyPending();
    Walk([step](Entity* entity) { entity->Update(step); });
}

void EntityManager::Draw() {
    for (DrawLayer layer : {DrawLayer::Ground, DrawLayer::Figures})
        Walk([layer](Entity* entity) {
            if (entity->Layer() == layer) entity->Draw();
        });
}

void EntityManager::Clear() {
    Walk([this](Entity* entity) { Remove(entity); });
    if (walks_ == 0) DestroyPending();
}

std::vector<Entity*> EntityManager::Entities() const {
    std::vector<Entity*> live;
    for (const std::unique_ptr<Entity>& entity : entities_)
        if (entity) live.push_back(entity.get());
    return live;
}

EntityManager& TheEntityManager() {
    static EntityManager manager;
    return manager;
}
