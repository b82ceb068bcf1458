#include "CrowdStage.h"
#include "base/SharedConstants.h"
#include "world/LevelFile.h"
#include "world/PlayRules.h"
#include "world/StageMarkers.h"
#include <algorithm>
#include <fstream>
#include <iterator>

const char* const kCrowdStage = "crowd";

std::string CrowdThingText(int i, int width, int floorY) {
    const int x = 36 + int(long(i) * (width - 72) / kCrowdThings);
    const std::string at = " x=" + std::to_string(x) + " y=";
    auto above = [floorY](int pixels) { return std::to_string(floorY - pixels); };
    switch (i % 10) {
    case 0: return "walker" + at + above(0) + " range=0";
    case 1: return "flier" + at + above(96);
    case 2: return "thrower" + at + above(0) + " every=40";
    case 3: return "knight" + at + above(0);
    case 4: return "spikes" + at + above(0);
    case 5: return "platform" + at + above(120) + " dx=48 dy=-24";
    case 6: return "crumble" + at + above(96) + " width=1";
    case 7: return "gem" + at + above(72);
    case 8: return "heart" + at + above(144);
    default: return "lantern" + at + above(0);
    }
}

bool WriteCrowdStage(const std::string& dataDir, const std::string& stage, std::string& error) {
    std::ifstream in(dataDir + "/levels/" + stage, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LevelFile::LevelData level;
    if (!LevelFile::ReadLevel(bytes.data(), bytes.size(), level, error)) return false;
    if (level.startPoints.items.empty()) return error = stage + " has no start point", false;
    std::vector<LevelFile::NamedMarker>& markers = level.markers.items;
    markers.erase(std::remove_if(markers.begin(), markers.end(), IsPlayMarker), markers.end());
    PlayRules rules;
    rules.hearts = rules.lives = 9;
    markers.push_back(PlayMarker(rules));
    const int width = level.mainGrid.Columns() * kTileSize;
    const int floorY = level.startPoints.items[0].y / 10;
    for (int i = 0; i < kCrowdThings; ++i)
        markers.push_back(MarkerWithText("duskhold " + CrowdThingText(i, width, floorY)));
    const std::vector<uint8_t> written = LevelFile::WriteLevel(level);
    std::ofstream(dataDir + "/levels/" + kCrowdStage, std::ios::binary)
        .write(reinterpret_cast<const char*>(written.data()), std::streamsize(written.size()));
    return true;
}
