#pragma once
#include "world/Camera.h"
#include <cstdint>

// What the camera of a play stage follows: the hero's feet, the way he faces
// (+1 right, -1 left) and whether he stands on the ground.
struct CameraTarget {
    Vector3 feet;
    int32_t facing = 1;
    bool onGround = true;
};

// The camera of a play stage. Sideways it leads the hero, showing more of the
// way he faces; when he turns, the lead swings over to his other side at an
// eased pace instead of at once. Up and down it holds the ground he last stood
// on at one line of the screen, so that a jump does not shake the picture: it
// eases to a new ground when he lands higher or lower, and moves with him at
// once only when he would otherwise drop below that line (a fall past his
// last ground) or rise too near the top. It moves by whole pixels, so that
// the hero and the tiles keep step, and only as the steps go.
class PlayCamera {
public:
    // The middle of the screen lies this far ahead of his feet: he stands
    // 96 pixels from the side behind him, with 224 ahead.
    static constexpr float kLead = 64.0f;
    // On the ground his feet stand on this line of the screen, two thirds down.
    static constexpr float kGroundRow = 160.0f;
    // They never rise above this line: his head stays clear of the status bar.
    static constexpr float kHighestFeetRow = 72.0f;

    explicit PlayCamera(Camera& camera) : camera_(camera) {}

    // Puts the view where it settles for the target at once: a stage's start,
    // the hero back at his checkpoint.
    void Snap(const CameraTarget& target);
    // One step of following the target.
    void Step(const CameraTarget& target);

private:
    // A value that moves toward a goal a little faster each step, up to a
    // top speed, and slows as it comes near.
    struct Easing {
        float at = 0.0f;
        float speed = 0.0f;
        void Toward(float goal, float fastest);
        void Hold(float value);
    };
    void Place(const CameraTarget& target);

    Camera& camera_;
    Easing lead_;
    Easing top_;
    float groundY_ = 0.0f;
};
