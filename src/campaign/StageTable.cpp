#include "campaign/StageTable.h"
#include <cstring>
#include <iterator>

namespace {
const StageRow kStages[] = {
    {1, "blk101", "music\\DH3- Outset.mid", "sprites\\1-01village.png", "THE VILLAGE BELOW THE CASTLE", "VILLAGE"},
    {2, "blk201a", "music\\DH3- Gearwheel4.mid", nullptr, "THE CLOCK TOWER", "CLOCKTOWER"},
    {3, "blk301a", "music\\DH3- Wildwood.mid", nullptr, "THE DARK FOREST", "FOREST"},
    {31, "blk401a", "music\\DH3- Lowpulse.mid", nullptr, "THE CRYPT", "CRYPT"},
    {32, "blk40aa", "music\\DH3- Unease.mid", nullptr, "THE FLOODED CATACOMBS", "CATACOMBS"},
    {33, "blk501a", "music\\DH3- Gloomdream.mid", nullptr, "THE RAMPARTS", "RAMPARTS"},
    {34, "blk601a", "music\\DH3- Emberseed.mid", nullptr, "THE CRYSTAL CAVERNS", "CAVERNS"},
    {61, "blk701a", "music\\DH3- Unease.mid", nullptr, "THE LIBRARY", "LIBRARY"},
    {62, "blk801a", "music\\DH3- Echoes2.mid", nullptr, "THE FROZEN PASS", "FROZENPASS"},
    {63, "blk901a", "music\\DH3- Enigma.mid", nullptr, "THE BURNING KEEP", "KEEP"},
};
}

const StageRow* FindStage(int32_t stage) {
    for (const StageRow& row : kStages)
        if (row.stage == stage) return &row;
    return nullptr;
}

const StageRow* FindStageOfLevel(const char* levelName) {
    for (const StageRow& row : kStages)
        if (strcmp(row.levelName, levelName) == 0) return &row;
    return nullptr;
}

const StageRow* NextStage(const StageRow* row) { return row + 1 < std::end(kStages) ? row + 1 : nullptr; }

const StageRow* StageRows() { return kStages; }
size_t StageRowCount() { return sizeof kStages / sizeof kStages[0]; }

int32_t& TheStageNumber() {
    static int32_t stage = 0;
    return stage;
}
