#pragma once
#include <cstdint>

// The frame numbers and sizes of the things' and the guardian's sheets: the
// game draws these frames and the content tool paints them, so both read
// them from here.

// "sprites\things.png": 24 by 24 frames in one row.
struct ThingSheet {
    enum Frame : int32_t {
        kSpikesUp,
        kSpikesDown,
        kPlatformTile,
        kCrumbleTile,
        kCrumbleCracked,
        kHeart,
        kWhipUpgrade,
        kGem,
        kGemSparkle,
        kLanternUnlit,
        kLanternLit,  // and the next: the flame flickers between them
        kLanternFlicker,
        kFrameCount
    };
    static constexpr int32_t kFrameSize = 24;
};

// "sprites\guardian.png": 64 by 64 frames in one row, the figure facing right
// with its feet on the middle of the bottom row; the portcullis fills the top
// left tile of its frame.
struct GuardianSheet {
    enum Frame : int32_t { kStand, kCrouch, kCharge, kLeap, kHurt, kPortcullis, kFrameCount };
    static constexpr int32_t kFrameSize = 64;
};
