#pragma once

// A screen of the game. Each screen is one long-lived object that is entered
// and left many times; it acquires its resources in Enter and releases them
// in Leave. Screens are never destroyed, so there is no virtual destructor.
class GameState {
public:
    virtual void Enter() = 0;
    virtual void Leave() = 0;
    virtual void Update(float step) = 0;
    virtual void Draw() = 0;
    // What the screen draws over the collision outlines: what must stay
    // readable over them, such as a stage's HUD.
    virtual void DrawOverOutlines() {}
    // Whether the outlines of the collision shapes show on this screen: a
    // page opened over a paused stage hides the stage's.
    virtual bool ShowsOutlines() const { return true; }
    // Whether Escape is this screen's (a play stage pauses on it) rather
    // than the end of the program.
    virtual bool TakesEscape() const { return false; }

protected:
    ~GameState() = default;
};
