#include "campaign/BestRun.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {
const char* const kRunHeader = "duskhold-run 1";

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", unsigned(value));
    return text;
}

// Nine digits give a float back exactly.
std::string Exact(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

bool WholeNumber(const std::string& word, long low, long high, long& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(word.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool HexNumber(const std::string& word, uint32_t& value) {
    if (word.empty() || word[0] == '-' || word.size() > 8) return false;
    char* end = nullptr;
    value = uint32_t(std::strtoul(word.c_str(), &end, 16));
    return *end == '\0';
}

bool FloatNumber(const std::string& word, float& value) {
    if (word.empty()) return false;
    char* end = nullptr;
    value = std::strtof(word.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

// One line of the file cut into its words.
std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// Fills `steps` from the step of this line on with `value`: a line holds
// until the next one of its kind, and the lines of a kind start at step 1
// and go forward.
template <class T>
bool Extend(std::vector<T>& steps, long step, const T& value) {
    if (step != long(steps.size()) + 1 && (steps.empty() || step <= long(steps.size()))) return false;
    if (!steps.empty()) steps.resize(size_t(step - 1), steps.back());
    steps.push_back(value);
    return true;
}

struct Reader {
    BestRun run;
    long steps = -1;
    bool sawFile = false;

    std::string Line(const std::vector<std::string>& w) {
        long step = 0, index = 0;
        if (w[0] == "level" && w.size() == 2) run.level = w[1];
        else if (w[0] == "stage-file" && w.size() == 2 && HexNumber(w[1], run.stageFile)) sawFile = true;
        else if (w[0] == "steps" && w.size() == 2 && WholeNumber(w[1], 1, kMaxRunSteps, steps)) {
        } else if (w[0] == "lantern" && w.size() == 3 && WholeNumber(w[1], 0, 1L << 30, index) &&
                   WholeNumber(w[2], 1, kMaxRunSteps, step))
            run.lanterns[size_t(index)] = int32_t(step);
        else if (w[0] == "input" && w.size() == 4) return Input(w);
        else if (w[0] == "pose" && w.size() == 6) return Pose(w);
        else return "not a line of a run";
        return std::string();
    }

    std::string Input(const std::vector<std::string>& w) {
        long step = 0;
        RunInput input;
        if (!WholeNumber(w[1], 1, kMaxRunSteps, step) || !HexNumber(w[2], input.held) ||
            !HexNumber(w[3], input.playHeld))
            return "an input line needs a step and two hexadecimal masks";
        return Extend(run.inputs, step, input) ? std::string() : "the input lines' steps do not go forward from 1";
    }

    std::string Pose(const std::vector<std::string>& w) {
        long step = 0, frame = 0, facing = 0;
        RunPose pose;
        if (!WholeNumber(w[1], 1, kMaxRunSteps, step) || !FloatNumber(w[2], pose.x) || !FloatNumber(w[3], pose.y) ||
            !WholeNumber(w[4], 0, 255, frame) || !WholeNumber(w[5], -1, 1, facing) || facing == 0)
            return "a pose line needs a step, x, y, a frame of 0 to 255 and a facing of 1 or -1";
        pose.frame = int32_t(frame);
        pose.facing = int32_t(facing);
        return Extend(run.poses, step, pose) ? std::string() : "the pose lines' steps do not go forward from 1";
    }

    // The last line of each kind holds to the end of the run.
    std::string Finish() {
        if (steps < 0 || run.level.empty() || !sawFile) return "it lacks its level, stage-file or steps line";
        if (run.inputs.size() > size_t(steps) || run.poses.size() > size_t(steps) || run.inputs.empty() ||
            run.poses.empty())
            return "its input and pose lines do not fit its steps";
        run.inputs.resize(size_t(steps), run.inputs.back());
        run.poses.resize(size_t(steps), run.poses.back());
        return std::string();
    }
};
}

std::string BestRunText(const BestRun& run) {
    std::string text = std::string(kRunHeader) + "\nlevel " + run.level + "\nstage-file " + Hex(run.stageFile) +
                       "\nsteps " + std::to_string(run.Steps()) + "\n";
    for (const auto& [index, step] : run.lanterns)
        text += "lantern " + std::to_string(index) + " " + std::to_string(step) + "\n";
    for (size_t s = 0; s < run.inputs.size(); ++s)
        if (s == 0 || run.inputs[s] != run.inputs[s - 1])
            text += "input " + std::to_string(s + 1) + " " + Hex(run.inputs[s].held) + " " +
                    Hex(run.inputs[s].playHeld) + "\n";
    for (size_t s = 0; s < run.poses.size(); ++s) {
        const RunPose& pose = run.poses[s];
        if (s == 0 || pose != run.poses[s - 1])
            text += "pose " + std::to_string(s + 1) + " " + Exact(pose.x) + " " + Exact(pose.y) + " " +
                    std::to_string(pose.frame) + " " + std::to_string(pose.facing) + "\n";
    }
    return text;
}

bool ReadBestRun(const std::string& text, BestRun& run, std::string& why) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kRunHeader) {
        why = std::string("line 1: not \"") + kRunHeader + "\"";
        return false;
    }
    Reader reader;
    for (int number = 2; std::getline(in, line); ++number) {
        const std::vector<std::string> words = Words(line);
        if (words.empty()) continue;
        why = reader.Line(words);
        if (!why.empty()) {
            why = "line " + std::to_string(number) + ": " + why;
            return false;
        }
    }
    why = reader.Finish();
    if (!why.empty()) return false;
    run = std::move(reader.run);
    return true;
}
