#pragma once
#include "base/CurrentInstance.h"
#include "core/Entity.h"
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The on-screen text log over every screen: the oldest line goes every 180
// steps and at most maxLines lines remain.
class DevConsole : public Entity {
public:
    // Takes a hold of the game's font while it lives.
    explicit DevConsole(int32_t maxLines);
    ~DevConsole() override;
    DevConsole(const DevConsole&) = delete;
    DevConsole& operator=(const DevConsole&) = delete;
    void Update(float step) override;
    void Draw() override;
    // Appends one line; on an empty console it starts the 180-step timer so
    // that the line shows for three seconds.
    void AppendLine(const std::string& line);

    // The rows shown, each ending in a line feed.
    const std::string& Text() const { return text_; }
    int32_t LineCount() const { return int32_t(rows_.size()); }

private:
    void AddRow(const std::string& row);
    void DropFirstRow();
    void DropOldestLine();
    void CutToMaxLines();

    std::deque<std::string> rows_;
    std::string text_;  // the rows, joined
    int32_t maxLines_;
    float expiryTimer_ = 0.0f;
    CurrentInstance<DevConsole> current_{this};
};

// The console while it exists, else null.
inline DevConsole* TheDevConsole() { return CurrentInstance<DevConsole>::Get(); }

// Whether the console is drawn; hidden, it still takes its lines (the
// trace counts them) and lets them go as it would when drawn.
void ShowConsole(bool shown);
bool ConsoleShown();

// One line of text as the rows it takes across the screen in the 8 by 8
// font: a row that would be wider ends at its last space (which goes) or,
// without one, at the last character that fits.
std::vector<std::string> ScreenRows(const std::string& line);

// Sends every status line and error message to the console. Lines printed
// before the console exists are kept and appended when it is created.
void RouteLogToConsole();
