#include "core/Entity.h"
#include "core/EntityManager.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> gLog;

class LoggingEntity : public Entity {
public:
    explicit LoggingEntity(std::string name) : name_(std::move(name)) {}
    ~LoggingEntity() override { gLog.push_back(name_ + ".delete"); }
    void Update(float step) override { gLog.push_back(name_ + ".update " + std::to_string(int(step))); }
    void Draw() override { gLog.push_back(name_ + ".draw"); }

private:
    std::string name_;
};

// An entity that adds another one to its manager during its own update.
class Spawner : public LoggingEntity {
public:
    Spawner() : LoggingEntity("spawner") {}
    void Update(float step) override {
        LoggingEntity::Update(step);
        if (!spawned_) manager->Add(new LoggingEntity("child"));
        spawned_ = true;
    }

private:
    bool spawned_ = false;
};
}

TEST(EntityManager, UpdatesInOrderOfAddReachesWhatAnUpdateAddsAndDeletesTheRemovedLater) {
    gLog.clear();
    {
        EntityManager manager;
        manager.Add(new LoggingEntity("a"));
        manager.Add(new LoggingEntity("b"));
        manager.Update(2.0f);
        manager.Draw();
        std::vector<std::string> expected = {"a.update 2", "b.update 2", "a.draw", "b.draw"};
        EXPECT_EQ(gLog, expected);

        // A removed entity is deleted at the start of the next update; an
        // entity added during an update is reached in the same walk.
        gLog.clear();
        Entity* a = manager.Entities().front();
        manager.Remove(a);
        manager.Remove(a);  // no longer in the list: nothing happens
        EXPECT_EQ(a->manager, &manager);
        manager.Add(new Spawner);
        manager.Draw();
        manager.Update(1.0f);
        expected = {"b.draw", "spawner.draw", "a.delete", "b.update 1", "spawner.update 1", "child.update 1"};
        EXPECT_EQ(gLog, expected);
        gLog.clear();
    }
    EXPECT_EQ(gLog.size(), 3u);  // the destructor deleted the rest
}
