#include "core/Entity.h"
#include "core/EntityManager.h"
#include "platform/ErrorBox.h"
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

TEST(EntityManager, UpdatesAndDrawsInOrderOfAddAndDeletesTheRemovedOnTheNextUpdate) {
    gLog.clear();
    EntityManager manager;
    manager.Update(1.0f);
    manager.Draw();
    EXPECT_TRUE(gLog.empty());

    manager.Add(new LoggingEntity("a"));
    manager.Add(new LoggingEntity("b"));
    manager.Update(2.0f);
    manager.Draw();
    std::vector<std::string> expected = {"a.update 2", "b.update 2", "a.draw", "b.draw"};
    EXPECT_EQ(gLog, expected);

    // A removed entity is deleted at the start of the next update.
    gLog.clear();
    Entity* a = manager.Entities().front();
    manager.Remove(a);
    manager.Remove(a);  // no longer in the list: nothing happens
    EXPECT_EQ(a->manager, &manager);
    manager.Draw();
    manager.Update(1.0f);
    expected = {"b.draw", "a.delete", "b.update 1"};
    EXPECT_EQ(gLog, expected);
}

TEST(EntityManager, EntityAddedDuringUpdateIsReachedInTheSameWalk) {
    gLog.clear();
    {
        EntityManager manager;
        manager.Add(new Spawner);
        manager.Update(1.0f);
        std::vector<std::string> expected = {"spawner.update 1", "child.update 1"};
        EXPECT_EQ(gLog, expected);
    }
    EXPECT_EQ(gLog.size(), 4u);  // the destructor deleted both
}

TEST(EntityManager, SecondAddIsRefusedAfterTheMessage) {
    gLog.clear();
    SetErrorDialogsAllowed(false);
    EntityManager first, second;
    auto* e = new LoggingEntity("e");
    first.Add(e);
    int errorsBefore = ErrorCount();
    second.Add(e);
    EXPECT_EQ(ErrorCount(), errorsBefore + 1);
    EXPECT_EQ(e->manager, &first);
    EXPECT_TRUE(second.Entities().empty());
}
