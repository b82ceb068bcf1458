#include "world/PlayCamera.h"
#include <algorithm>
#include <cmath>

namespace {
// An eased value covers a twelfth of what is left each step, at most its top
// speed, and changes its speed by at most this much a step.
constexpr float kEaseSteps = 12.0f;
constexpr float kSpeedChange = 0.25f;
// Pixels a step: the lead swings at most this fast beside the hero's own walk.
constexpr float kFastestSwing = 3.0f;
constexpr float kFastestRise = 4.0f;
constexpr float kHalfWidth = kScreenWidth / 2;
}

void PlayCamera::Easing::Toward(float goal, float fastest) {
    const float wanted = std::clamp((goal - at) / kEaseSteps, -fastest, fastest);
    speed += std::clamp(wanted - speed, -kSpeedChange, kSpeedChange);
    at += speed;
    // Close enough and slow enough: it has arrived.
    if (std::fabs(goal - at) < kSpeedChange && std::fabs(speed) < kSpeedChange) Hold(goal);
}

void PlayCamera::Easing::Hold(float value) {
    at = value;
    speed = 0.0f;
}

void PlayCamera::Snap(const CameraTarget& target) {
    groundY_ = target.feet.y;
    lead_.Hold(float(target.facing) * kLead);
    top_.Hold(groundY_ - kGroundRow);
    Place(target);
}

void PlayCamera::Step(const CameraTarget& target) {
    if (target.onGround) groundY_ = target.feet.y;
    lead_.Toward(float(target.facing) * kLead, kFastestSwing);
    top_.Toward(groundY_ - kGroundRow, kFastestRise);
    const float lowest = target.feet.y - kGroundRow, highest = target.feet.y - kHighestFeetRow;
    if (top_.at < lowest) top_.Hold(lowest);
    if (top_.at > highest) top_.Hold(highest);
    Place(target);
}

void PlayCamera::Place(const CameraTarget& target) {
    camera_.MoveTo(Vector3(std::round(target.feet.x + lead_.at - kHalfWidth), std::round(top_.at), 0.0f));
}
