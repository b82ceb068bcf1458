#include "screens/StageTally.h"
#include "campaign/SaveFile.h"
#include "player/Player.h"
#include "things/StageRecord.h"

StageTally MakeTally(const StageRecord& record, const Player& hero, const SaveFileEntry* played, size_t stageRow) {
    StageTally tally;
    tally.steps = record.steps;
    tally.gemsFound = record.gemsFound;
    tally.gemTotal = record.gemTotal;
    tally.foesBeaten = int32_t(record.foesBeaten.size());
    tally.foeTotal = record.foeTotal;
    tally.hitsTaken = hero.HitsTaken();
    tally.livesLost = hero.Respawns();
    if (played) {
        const int32_t bestSteps = BestSteps(*played, stageRow);
        tally.newBestTime = tally.steps > 0 && (bestSteps == 0 || tally.steps < bestSteps);
        tally.newBestGems = tally.gemsFound > BestGems(*played, stageRow);
    }
    return tally;
}

namespace {
std::string OutOf(int32_t count, int32_t total) { return std::to_string(count) + "/" + std::to_string(total); }

const char* NewBest(bool best) { return best ? "NEW BEST" : nullptr; }
}

std::vector<TallyLine> TallyLines(const StageTally& tally) {
    std::vector<TallyLine> lines{
        {"TIME  " + StepsAsTime(tally.steps), tally.assisted ? "ASSIST" : NewBest(tally.newBestTime)}};
    if (tally.gemTotal > 0)
        lines.push_back({"GEMS  " + OutOf(tally.gemsFound, tally.gemTotal), NewBest(tally.newBestGems)});
    if (tally.foeTotal > 0) lines.push_back({"FOES  " + OutOf(tally.foesBeaten, tally.foeTotal)});
    lines.push_back({"HITS  " + std::to_string(tally.hitsTaken) + "  LIVES LOST " + std::to_string(tally.livesLost)});
    return lines;
}
