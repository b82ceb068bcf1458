#include "screens/MessageLine.h"
#include "base/Log.h"
#include "base/SharedConstants.h"
#include "console/DevConsole.h"
#include "platform/Renderer.h"
#include <algorithm>

namespace {
constexpr int32_t kRowHeight = 9;
constexpr Color kStrip = Color::FromBytes(0, 0, 0, 0xB0);
const std::string kNothing;
}

void MessageLine::Start() {
    text_.Load();
    SetPlayerSink([this](const std::string& line) { lines_.push_back(line); });
}

void MessageLine::Stop() {
    SetPlayerSink(nullptr);
    text_.Release();
    lines_.clear();
}

void MessageLine::Step() {
    if (lines_.empty()) return;
    const int32_t lasts = lines_.size() > 1 ? kShortenedSteps : kShownSteps;
    if (++shownFor_ < lasts) return;
    lines_.pop_front();
    shownFor_ = 0;
}

const std::string& MessageLine::Shown() const { return lines_.empty() || ConsoleShown() ? kNothing : lines_.front(); }

// Over a dark strip across the bottom, its first three rows when it takes
// more; it fades out over its last steps.
void MessageLine::Draw() const {
    const std::string& line = Shown();
    if (line.empty() || !text_.Loaded()) return;
    const int32_t lasts = lines_.size() > 1 ? kShortenedSteps : kShownSteps;
    const int32_t left = lasts - shownFor_;
    const float share = std::min(1.0f, float(left) / float(kFadeSteps));
    std::string oneLine = line;
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    std::vector<std::string> rows = ScreenRows(oneLine);
    if (rows.size() > size_t(kMostRows)) rows.resize(size_t(kMostRows));
    const int32_t top = kScreenHeight - kRowHeight * int32_t(rows.size()) - 1;
    FillRect(0.0f, float(top - 1), float(kScreenWidth), float(kScreenHeight - top + 1),
             Color::FromBytes(0, 0, 0, uint8_t(float(kStrip.A()) * share)));
    const Color tint = Color::FromBytes(255, 255, 255, uint8_t(255.0f * share));
    for (size_t row = 0; row < rows.size(); ++row)
        PrintLiteral(text_.Font(), 0, top + kRowHeight * int32_t(row), 1, tint, rows[row].c_str());
}

MessageLine& TheMessageLine() {
    static MessageLine line;
    return line;
}
