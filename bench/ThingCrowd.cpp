#include "ThingCrowd.h"
#include "CrowdStage.h"
#include "platform/PngWrite.h"
#include "player/Player.h"
#include "textlevel/TextLevel.h"
#include "things/Thing.h"
#include "world/StageMarkers.h"
#include <cstdio>

namespace {
constexpr int kColumns = 100;

// The floor along the bottom row, ledges over every tenth stretch and a
// wall every 25 columns, so that walkers turn and platforms have company.
std::vector<std::string> CrowdRows() {
    std::vector<std::string> rows(10, std::string(kColumns, '.'));
    rows[9] = std::string(kColumns, '#');
    for (int column = 0; column < kColumns; ++column) {
        if (column % 10 >= 4 && column % 10 <= 6) rows[6][size_t(column)] = '=';
        if (column % 25 == 0) rows[8][size_t(column)] = '#';
    }
    return rows;
}

void WritePlain(const std::string& path, int width, int height) {
    std::vector<unsigned char> rgba;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) rgba.insert(rgba.end(), {uint8_t(x * 7), uint8_t(y * 5), 120, 255});
    std::string error;
    if (!WritePngRgba(path, width, height, rgba, error)) fprintf(stderr, "%s\n", error.c_str());
}
}

ThingCrowd::ThingCrowd() {
    auto level = std::make_unique<LevelNamespace::Level>();
    LevelNamespace::BuildTextLevel(*level, CrowdRows());
    things_.level = level.get();
    stage_.Add(std::move(level));
    auto hero = std::make_unique<Player>();
    hero->position = Vector3(1200, 216, 0);
    hero->PlaceShapes();
    PlayRules rules;
    rules.hearts = rules.lives = 9;
    hero->StartPlay(rules);
    things_.hero = HeroContact(hero.get());
    stage_.Add(std::move(hero));
    PlaceThings();
}

void ThingCrowd::PlaceThings() {
    for (int i = 0; i < kCrowdThings; ++i) {
        const std::string text = CrowdThingText(i, kColumns * 24, 216);
        const LevelFile::NamedMarker marker = MarkerWithText("duskhold " + text);
        PlacedThing placed;
        placed.kind = FindThingKind(MarkerKind(marker));
        std::vector<std::string> problems;
        placed.values = ReadMarkerFields(marker, placed.kind->fields, text, problems);
        placed.index = size_t(i);
        stage_.Add(MakeThing(placed, things_));
    }
}

void ThingCrowd::RemoveThings() {
    for (Entity* entity : stage_.Entities())
        if (dynamic_cast<Thing*>(entity)) stage_.Remove(entity);
    stage_.Update(0.0f);  // deletes what was removed
}

void WriteThingPictures(const std::string& dir) {
    WritePlain(dir + "/sprites/enemies.png", 512, 96);
    WritePlain(dir + "/sprites/things.png", 512, 24);
    WritePlain(dir + "/sprites/guardian.png", 512, 64);
}
