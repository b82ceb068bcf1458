#pragma once
#include "screens/MenuText.h"
#include <cstdint>
#include <deque>
#include <string>

// The lines told to the player (TellPlayer: a file that did not load,
// progress or settings not saved) at the bottom of the picture while the
// console is hidden: one at a time, about four seconds each (half that when
// another waits), fading out. With the console drawn it says them itself,
// and the line stays empty.
class MessageLine {
public:
    static constexpr int32_t kShownSteps = 240;
    static constexpr int32_t kShortenedSteps = 120;  // while another line waits
    static constexpr int32_t kFadeSteps = 48;
    static constexpr int32_t kMostRows = 3;

    // Listens for the lines told to the player (those told before come
    // first) and holds the font; Stop lets go of both.
    void Start();
    void Stop();
    void Step();
    void Draw() const;
    // The line being said, or "" for none.
    const std::string& Shown() const;

private:
    std::deque<std::string> lines_;
    int32_t shownFor_ = 0;  // steps the first line has been said
    MenuText text_;
};

MessageLine& TheMessageLine();
