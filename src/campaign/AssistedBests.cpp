#include "campaign/AssistedBests.h"
#include "base/Log.h"
#include "campaign/SaveFile.h"
#include "campaign/SaveProgress.h"
#include "platform/Files.h"
#include <sstream>
#include <vector>

namespace {
// Ten stages of a few dozen bytes each; anything longer is not ours.
constexpr size_t kMaxBestsFileBytes = 64 * 1024;

// Whether the clear beat what `best` keeps, which it then keeps.
bool Beats(AssistedBest& best, int32_t steps, int32_t gems) {
    const AssistedBest before = best;
    if (best.steps == 0 || steps < best.steps) best.steps = steps;
    if (gems > best.gems) best.gems = gems;
    return best.steps != before.steps || best.gems != before.gems;
}

std::string BestsText(const AssistedBests& bests) {
    std::string text;
    for (const auto& [level, best] : bests)
        text += level + " " + std::to_string(best.steps) + " " + std::to_string(best.gems) + "\n";
    return text;
}

// Under the save's lock: the bests are read again, since another game may
// have kept those of other stages meanwhile.
void WriteBest(const std::string& path, const std::string& level, int32_t steps, int32_t gems) {
    RemoveLeftoverTemporaries(path);
    AssistedBests bests = ReadAssistedBests(path);
    if (!Beats(bests[level], steps, gems)) return;
    const std::string text = BestsText(bests);
    const std::string folder = path.substr(0, path.rfind('/'));
    std::string why;
    if (!MakeDirectories(folder, why) ||
        !ReplaceFileWhole(path, std::vector<unsigned char>(text.begin(), text.end()), why))
        TellPlayer("Assisted best not saved: %s", why.c_str());
}
}

std::string AssistedBestsPath(const std::string& savePath, int32_t identity) {
    return savePath.empty() ? savePath : savePath + ".records/" + IdentityName(identity) + "/assisted";
}

AssistedBests ReadAssistedBests(const std::string& path) {
    AssistedBests bests;
    std::vector<unsigned char> bytes;
    std::string why;
    if (path.empty() || !GameFileIsThere(path) || !ReadWholeFile(path, kMaxBestsFileBytes, bytes, why)) return bests;
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string level;
        AssistedBest best;
        if (words >> level >> best.steps >> best.gems && best.steps >= 0 && best.gems >= 0) bests[level] = best;
    }
    return bests;
}

void KeepAssistedBest(int32_t identity, const std::string& level, int32_t steps, int32_t gems) {
    const std::string path = AssistedBestsPath(PlayerSavePath(), identity);
    if (path.empty() || identity == 0 || steps <= 0) return;
    SaveRecord("Assisted best not saved", [path, level, steps, gems] { WriteBest(path, level, steps, gems); });
}
