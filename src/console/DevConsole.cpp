#include "console/DevConsole.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "core/GameFont.h"
#include <algorithm>
#include <sstream>
#include <vector>

namespace {
constexpr float kLineLifetime = 180.0f;  // three seconds at 60 steps a second
// The font's cells are 8 by 8 logical pixels.
constexpr int32_t kRowHeight = 8;
constexpr int32_t kScreenRows = kScreenHeight / kRowHeight;
constexpr int32_t kScreenColumns = kScreenWidth / 8;

// Lines that arrived while no console existed.
std::vector<std::string>& PendingLines() {
    static std::vector<std::string> lines;
    return lines;
}
}

DevConsole::DevConsole(int32_t maxLines) : maxLines_(std::max(maxLines, 0)) {
    // Earlier lines first, so that a message about the font follows them.
    for (const std::string& line : PendingLines()) AppendLine(line);
    PendingLines().clear();
    TakeGameFont();
}

DevConsole::~DevConsole() { ReleaseGameFont(); }

// Each row of a wrapped line is a line of its own: rows count towards the
// most lines and go one every 180 steps, so the console never grows past
// its rows on the screen and a longer message stays longer to be read. The
// oldest rows go as soon as there are too many, so that a line costs the
// same however many came before it.
void DevConsole::AppendLine(const std::string& line) {
    bool wasEmpty = rows_.empty();
    std::istringstream lines(line);
    for (std::string piece; std::getline(lines, piece);)
        for (const std::string& row : ScreenRows(piece)) AddRow(row);
    if (line.empty()) AddRow("");
    CutToMaxLines();
    if (wasEmpty) expiryTimer_ = kLineLifetime;
}

std::vector<std::string> ScreenRows(const std::string& line) {
    std::vector<std::string> rows;
    size_t start = 0;
    do {
        size_t end = start + CharactersInCells(line.c_str() + start, kScreenColumns);
        size_t space = end < line.size() ? line.rfind(' ', end) : std::string::npos;
        bool breakAtSpace = space != std::string::npos && space > start;
        rows.push_back(line.substr(start, (breakAtSpace ? space : end) - start));
        start = breakAtSpace ? space + 1 : end;
    } while (start < line.size());
    return rows;
}

void DevConsole::Update(float step) {
    if (expiryTimer_ > 0.0f) expiryTimer_ -= step;
    if (expiryTimer_ <= 0.0f) DropOldestLine();
}

void DevConsole::AddRow(const std::string& row) {
    rows_.push_back(row);
    text_ += row + '\n';
}

void DevConsole::DropFirstRow() {
    text_.erase(0, rows_.front().size() + 1);
    rows_.pop_front();
}

// Empty lines right after the dropped one go with it.
void DevConsole::DropOldestLine() {
    if (rows_.empty()) return;
    DropFirstRow();
    while (!rows_.empty() && rows_.front().empty()) DropFirstRow();
    if (!rows_.empty()) expiryTimer_ = kLineLifetime;
}

void DevConsole::CutToMaxLines() {
    while (rows_.size() > size_t(maxLines_)) DropFirstRow();
}

namespace {
bool gConsoleShown = true;
}

void ShowConsole(bool shown) { gConsoleShown = shown; }
bool ConsoleShown() { return gConsoleShown; }

void DevConsole::Draw() {
    if (gConsoleShown)
        PrintLiteral(GameFont(), 0, (kScreenRows - LineCount()) * kRowHeight, 1, Color(0), text_.c_str());
}

void RouteLogToConsole() {
    SetLogSink([](const std::string& line) {
        if (TheDevConsole()) TheDevConsole()->AppendLine(line);
        else PendingLines().push_back(line);
    });
}
