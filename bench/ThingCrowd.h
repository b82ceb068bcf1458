#pragma once
#include "core/EntityManager.h"
#include "things/StageRecord.h"
#include "things/Thing.h"
#include <string>

// A play stage of 100 by 10 tiles holding the hero and the crowd of things
// (CrowdStage.h), stepped in this process.
class ThingCrowd {
public:
    ThingCrowd();
    // A step as the stage screen takes it: the collision pass, then the
    // level, the hero and the things in the manager's order.
    void UpdateStage() { stage_.Update(1.0f); }
    // Takes the things (and the bones and hearts they left) off the stage
    // and puts them back, for the figures without them.
    void RemoveThings();
    void PlaceThings();

private:
    EntityManager stage_;
    StageRecord record_;
    ThingStage things_{record_};
};

// The pictures the things' sheets need, written into `dir`'s sprites folder.
void WriteThingPictures(const std::string& dir);
