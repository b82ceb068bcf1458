#include "core/Entity.h"
#include "core/EntityManager.h"
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {
std::vector<std::string> gLog;

// Logs what happens to it; `onUpdate` and `onDraw`, when set, act on the
// manager from inside the walk.
class LoggingEntity : public Entity {
public:
    explicit LoggingEntity(std::string name, DrawLayer layer = DrawLayer::Figures)
        : name_(std::move(name)), layer_(layer) {}
    ~LoggingEntity() override { gLog.push_back(name_ + ".delete"); }
    void Update(float step) override {
        gLog.push_back(name_ + ".update " + std::to_string(int(step)));
        if (onUpdate) std::exchange(onUpdate, nullptr)(*this);
    }
    void Draw() override {
        gLog.push_back(name_ + ".draw");
        if (onDraw) std::exchange(onDraw, nullptr)(*this);
    }

    DrawLayer Layer() const override { return layer_; }

    std::function<void(LoggingEntity&)> onUpdate, onDraw;

private:
    std::string name_;
    DrawLayer layer_;
};

LoggingEntity* AddLogging(EntityManager& manager, const char* name, DrawLayer layer = DrawLayer::Figures) {
    auto entity = std::make_unique<LoggingEntity>(name, layer);
    LoggingEntity* kept = entity.get();
    manager.Add(std::move(entity));
    return kept;
}
}

TEST(EntityManager, UpdatesInOrderOfAddReachesWhatAnUpdateAddsAndDeletesTheRemovedLater) {
    gLog.clear();
    {
        EntityManager manager;
        LoggingEntity* a = AddLogging(manager, "a");
        AddLogging(manager, "b");
        AddLogging(manager, "ledge", DrawLayer::Ground);
        manager.Update(2.0f);
        manager.Draw();
        // The ground is drawn first, then the figures on it.
        std::vector<std::string> expected = {"a.update 2", "b.update 2", "ledge.update 2",
                                             "ledge.draw", "a.draw",     "b.draw"};
        EXPECT_EQ(gLog, expected);

        // A removed entity is deleted at the start of the next update; an
        // entity added during an update is reached in the same walk.
        gLog.clear();
        manager.Remove(a);
        manager.Remove(a);  // no longer in the list: nothing happens
        EXPECT_EQ(a->manager, &manager);
        LoggingEntity* spawner = AddLogging(manager, "spawner");
        spawner->onUpdate = [](LoggingEntity& self) { AddLogging(*self.manager, "child"); };
        manager.Draw();
        manager.Update(1.0f);
        expected = {"ledge.draw", "b.draw",         "spawner.draw",     "a.delete",
                    "b.update 1", "ledge.update 1", "spawner.update 1", "child.update 1"};
        EXPECT_EQ(gLog, expected);
        gLog.clear();

        // A second manager refuses an entity that has one, and leaves it be.
        EntityManager other;
        other.Add(std::unique_ptr<Entity>(spawner));
        EXPECT_TRUE(other.Entities().empty());
        EXPECT_TRUE(gLog.empty());
    }
    EXPECT_EQ(gLog.size(), 4u);  // the destructor deleted the rest
}

// Entities that remove themselves or their neighbours while the manager is
// walking them: the walk goes on over the others, and nothing is deleted
// before the next update (the sanitizer build catches any use after free).
TEST(EntityManager, EntitiesRemoveThemselvesAndOthersDuringTheWalk) {
    gLog.clear();
    EntityManager manager;
    LoggingEntity* a = AddLogging(manager, "a");
    LoggingEntity* b = AddLogging(manager, "b");
    LoggingEntity* c = AddLogging(manager, "c");
    AddLogging(manager, "d");
    a->onUpdate = [](LoggingEntity& self) { self.manager->Remove(&self); };
    b->onUpdate = [c](LoggingEntity& self) {
        self.manager->Remove(c);
        AddLogging(*self.manager, "e");
    };
    manager.Update(1.0f);
    std::vector<std::string> expected = {"a.update 1", "b.update 1", "d.update 1", "e.update 1"};
    EXPECT_EQ(gLog, expected);
    EXPECT_EQ(manager.Entities().size(), 3u);
    EXPECT_EQ(manager.PendingCount(), 2u);

    gLog.clear();
    b->onDraw = [](LoggingEntity& self) { self.manager->Clear(); };
    manager.Draw();
    expected = {"b.draw"};
    EXPECT_EQ(gLog, expected);
    EXPECT_TRUE(manager.Entities().empty());
    gLog.clear();
    manager.Update(1.0f);
    expected = {"a.delete", "c.delete", "b.delete", "d.delete", "e.delete"};
    EXPECT_EQ(gLog, expected);
}
