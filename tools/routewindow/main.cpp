// duskhold-routewindow: how many steps each press of a route movie may come
// earlier or later and still pass what the route passes: the hero at the
// same place, with as many hearts and lives, a fixed number of steps after
// the press ends. Prints the tightest presses of each stage.
#include "app/Options.h"
#include "json/JsonField.h"
#include "routewindow/Hits.h"
#include "routewindow/Mashers.h"
#include "routewindow/Replays.h"
#include "routewindow/RouteMovie.h"
#include "toolargs/ToolCommandLine.h"
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {
const char* const kUsage =
    "usage: duskhold-routewindow MOVIE... [--game PATH] [--data DIR] [--cap N] [--after N]\n"
    "           [--tolerance PX] [--jobs N] [--from STEP] [--to STEP] [--show N] [--floor N]\n"
    "           [--at STEP[:FLOOR],...]\n"
    "       duskhold-routewindow --hits|--mash MOVIE... [--game PATH] [--data DIR] [--jobs N]\n"
    "Each MOVIE is the route of the stage its name says (routes/blk301a.movie:\n"
    "blk301a). Each press of jump (x) and whip (z) is moved 1 to --cap (16) steps\n"
    "earlier and later, the stage replayed, and the hero compared with the route's\n"
    "--after (60) steps after the press ends: within --tolerance (4) pixels, with\n"
    "as many hearts and lives. A press's window is the run of moves around 0 that\n"
    "all pass. --from and --to measure only the presses that start between those\n"
    "steps; --show (5) tightest presses are listed per stage, 0 for all; --jobs (2)\n"
    "games run at once. With --floor N the exit status is 1 when a window is\n"
    "narrower than N steps, and a press is measured only until its window is N\n"
    "wide. --at measures only the presses that start on those steps, each up to\n"
    "its own floor (--floor's when none is given), in one run of the stage.\n"
    "The game is the duskhold beside this tool.\n"
    "With --hits it lists instead each hit the route takes up to its budget: the\n"
    "thing that hit and on how many steps on end the screen had shown it before\n"
    "(for a bone, also its thrower's steps when it threw).\n"
    "With --mash it plays each stage instead with Right held and jump held, and\n"
    "with jump pressed 15 of every 30 steps, for 3000 steps each, and says how\n"
    "far each came; the exit status is 1 when one clears a stage.\n";

struct Settings {
    GameRun run;
    long cap = 16, after = 60, from = 0, to = 0, show = 5, floor = 0;
    double tolerance = 4;
    int jobs = 2;
    std::map<long, long> at;  // --at: the steps of the presses measured and their floors (0: --floor's)
    bool hits = false;
    bool mash = false;
};

// How far one press may move each way; a room of `cap` may be larger.
struct Window {
    long room[2] = {0, 0};  // earlier, later
    bool open[2] = {true, true};
    bool busy[2] = {false, false};
    long floor = 0;
    long Steps() const { return room[0] + room[1] + 1; }
};

long Number(const ToolCommandLine& line, const std::string& option, long fallback, long least) {
    if (!line.Has(option)) return fallback;
    char* end = nullptr;
    const std::string text = line.Value(option, "");
    long value = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || text.empty() || value < least) {
        fprintf(stderr, "duskhold-routewindow: %s needs a whole number of at least %ld\n", option.c_str(), least);
        exit(2);
    }
    return value;
}

std::string BesideThisTool(const std::string& name) {
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) return name;
    return std::filesystem::path(std::string(self, size_t(length))).parent_path() / name;
}

std::string Absolute(const std::string& path) { return path.empty() ? path : std::filesystem::absolute(path).string(); }

// The hero of two trace lines at the same place (each coordinate within the
// tolerance) with as many hearts and lives.
bool SameHero(const std::string& route, const std::string& moved, double tolerance) {
    const std::string a = JsonField(route, "player"), b = JsonField(moved, "player");
    if (a.size() < 2 || b.size() < 2) return a == b;
    char* rest = nullptr;
    char* restMoved = nullptr;
    const double ax = std::strtod(a.c_str() + 1, &rest), bx = std::strtod(b.c_str() + 1, &restMoved);
    const double ay = std::strtod(rest + 1, nullptr), by = std::strtod(restMoved + 1, nullptr);
    if (std::fabs(ax - bx) > tolerance || std::fabs(ay - by) > tolerance) return false;
    const std::string heroA = JsonField(route, "hero"), heroB = JsonField(moved, "hero");
    return JsonField(heroA, "hearts") == JsonField(heroB, "hearts") &&
           JsonField(heroA, "lives") == JsonField(heroB, "lives");
}

std::string Room(long room, long cap) { return std::to_string(room) + (room >= cap ? "+" : ""); }

// "STEP[:FLOOR],..." into steps and their floors; false when it is not that.
bool ReadPressSteps(const std::string& text, std::map<long, long>& at) {
    std::stringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        char* end = nullptr;
        const long step = std::strtol(item.c_str(), &end, 10);
        long floor = 0;
        if (*end == ':') floor = std::strtol(end + 1, &end, 10);
        if (item.empty() || *end != '\0' || step < 1 || floor < 0) return false;
        at[step] = floor;
    }
    return !at.empty();
}

bool Chosen(const Press& press, const Settings& settings) {
    if (!settings.at.empty()) return settings.at.count(press.downStep) != 0;
    return press.downStep >= settings.from && (!settings.to || press.downStep <= settings.to);
}

long FloorOf(const Press& press, const Settings& settings) {
    const auto at = settings.at.find(press.downStep);
    return at != settings.at.end() && at->second > 0 ? at->second : settings.floor;
}

// A window's steps, with "+" when the search stopped before its end.
std::string WindowText(const Window& w, const Settings& settings) {
    const bool cut = w.room[0] >= settings.cap || w.room[1] >= settings.cap || (w.floor > 0 && w.Steps() >= w.floor);
    return std::to_string(w.Steps()) + (cut ? "+" : "");
}

void PrintTightest(const RouteMovie& movie, const std::vector<size_t>& measured, const std::vector<Window>& windows,
                   const Settings& settings) {
    std::vector<size_t> order(measured.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return windows[a].Steps() < windows[b].Steps(); });
    if (settings.show > 0 && order.size() > size_t(settings.show)) order.resize(size_t(settings.show));
    printf("   step  key  earlier  later  window\n");
    for (size_t i : order) {
        const Press& press = movie.presses[measured[i]];
        const Window& w = windows[i];
        printf("  %5ld  %-3s  %7s  %5s  %6s\n", press.downStep, press.key.c_str(),
               Room(w.room[0], settings.cap).c_str(), Room(w.room[1], settings.cap).c_str(),
               WindowText(w, settings).c_str());
    }
}

// The last step by which the route must clear its stage ("# budget: N").
long RouteBudget(const std::string& text) {
    const size_t budget = text.find("\n# budget: ");
    return budget == std::string::npos ? 0 : std::strtol(text.c_str() + budget + 11, nullptr, 10);
}

// The route played for `steps` steps; no lines when the game failed.
std::vector<std::string> RouteTrace(const GameRun& run, const std::string& text, long steps) {
    std::vector<std::string> trace;
    bool asked = false;
    RunReplays(
        run, 1,
        [&](Replay& replay) {
            if (asked) return false;
            asked = true;
            replay.movie = text;
            replay.steps = steps;
            return true;
        },
        [&](const Replay&, const std::vector<std::string>& lines) { trace = lines; });
    return trace;
}

void PrintHits(const std::string& level, const std::vector<std::string>& trace) {
    const std::vector<Hit> hits = HitsInTrace(trace);
    printf("%s: %zu hit%s in %zu steps\n", level.c_str(), hits.size(), hits.size() == 1 ? "" : "s", trace.size());
    for (const Hit& hit : hits) {
        printf("  step %5ld  %-8s  in view %4ld steps before (%ld ms)", hit.step, hit.kind.c_str(), hit.stepsInView,
               hit.stepsInView * 16);
        if (hit.throwerInView >= 0) printf(", thrown by one in view %ld steps", hit.throwerInView);
        printf("\n");
    }
}

std::string MashText(const MashOutcome& outcome) {
    char text[160];
    if (outcome.clearedOn > 0) snprintf(text, sizeof text, "CLEARS the stage on step %ld", outcome.clearedOn);
    else if (outcome.gameOverOn > 0)
        snprintf(text, sizeof text, "game over on step %ld, at most x %.0f", outcome.gameOverOn, outcome.furthest);
    else snprintf(text, sizeof text, "still playing after %ld steps, at most x %.0f", kMashSteps, outcome.furthest);
    return text;
}

// Plays the stage of one route with each masher; false when one clears it
// or the game failed.
bool MashStage(const std::string& moviePath, Settings settings) {
    settings.run.level = std::filesystem::path(moviePath).stem().string();
    const std::vector<Masher> mashers = Mashers();
    std::vector<std::vector<std::string>> traces(mashers.size());
    size_t started = 0;
    RunReplays(
        settings.run, settings.jobs,
        [&](Replay& replay) {
            if (started == mashers.size()) return false;
            replay.movie = mashers[started].movie;
            replay.steps = kMashSteps;
            replay.tag = started++;
            return true;
        },
        [&](const Replay& replay, const std::vector<std::string>& lines) { traces[replay.tag] = lines; });
    bool noneClears = true;
    for (size_t i = 0; i < mashers.size(); ++i) {
        if (traces[i].empty() || JsonField(traces[i].front(), "player") == "null") {
            fprintf(stderr, "duskhold-routewindow: %s: the game did not play the stage %s\n", moviePath.c_str(),
                    settings.run.level.c_str());
            return false;
        }
        const MashOutcome outcome = MashOutcomeOf(traces[i]);
        printf("%s: %s: %s\n", settings.run.level.c_str(), mashers[i].name, MashText(outcome).c_str());
        noneClears = noneClears && outcome.clearedOn == 0;
    }
    fflush(stdout);
    return noneClears;
}

// Measures one stage's route; false when its tightest window is below the
// floor, or the route could not be replayed.
bool MeasureStage(const std::string& moviePath, Settings settings) {
    settings.run.level = std::filesystem::path(moviePath).stem().string();
    std::ifstream file(moviePath);
    std::stringstream text;
    text << file.rdbuf();
    RouteMovie movie;
    std::string error;
    if (!file || !ReadRouteMovie(text.str(), {"x", "z"}, movie, error)) {
        fprintf(stderr, "duskhold-routewindow: %s: %s\n", moviePath.c_str(), file ? error.c_str() : "cannot read");
        return false;
    }
    std::vector<size_t> measured;
    for (size_t i = 0; i < movie.presses.size(); ++i)
        if (Chosen(movie.presses[i], settings)) measured.push_back(i);
    for (const auto& [step, floor] : settings.at)
        if (std::none_of(measured.begin(), measured.end(),
                         [&](size_t i) { return movie.presses[i].downStep == step; })) {
            fprintf(stderr, "duskhold-routewindow: %s: no press of x or z starts at step %ld\n", moviePath.c_str(),
                    step);
            return false;
        }
    const auto start = std::chrono::steady_clock::now();

    long last = 0;
    for (size_t i : measured) last = std::max(last, movie.presses[i].upStep + settings.after);
    // Without a budget the hits are sought up to the movie's last event.
    if (settings.hits) last = RouteBudget(text.str());
    if (settings.hits && last <= 0) last = (movie.events.empty() ? 0 : movie.events.back().step) + settings.after;
    const std::vector<std::string> route = RouteTrace(settings.run, text.str(), last);
    // A movie named after no stage plays an empty one, with no hero to measure.
    if (route.empty() || JsonField(route.front(), "player") == "null") {
        fprintf(stderr, "duskhold-routewindow: %s: the game did not play the stage %s\n", moviePath.c_str(),
                settings.run.level.c_str());
        return false;
    }
    if (settings.hits) {
        PrintHits(settings.run.level, route);
        return true;
    }
    if (route.size() < size_t(last)) {
        fprintf(stderr, "duskhold-routewindow: %s: the game did not replay the route to step %ld\n", moviePath.c_str(),
                last);
        return false;
    }

    std::vector<Window> windows(measured.size());
    for (size_t i = 0; i < windows.size(); ++i) windows[i].floor = FloorOf(movie.presses[measured[i]], settings);
    long replays = 1;
    RunReplays(
        settings.run, settings.jobs,
        [&](Replay& replay) {
            for (size_t i = 0; i < windows.size(); ++i)
                for (int way = 0; way < 2; ++way) {
                    Window& w = windows[i];
                    if (!w.open[way] || w.busy[way]) continue;
                    // The other way's replay would make it wide enough: the slot goes elsewhere.
                    if (w.floor > 0 && w.busy[1 - way] && w.Steps() + 1 >= w.floor) continue;
                    const long shift = (way == 0 ? -1 : 1) * (w.room[way] + 1);
                    replay.movie = ShiftedMovie(movie, measured[i], shift);
                    if (replay.movie.empty()) {
                        w.open[way] = false;
                        continue;
                    }
                    replay.steps = movie.presses[measured[i]].upStep + settings.after;
                    replay.tag = i * 2 + size_t(way);
                    w.busy[way] = true;
                    ++replays;
                    return true;
                }
            return false;
        },
        [&](const Replay& replay, const std::vector<std::string>& lines) {
            Window& w = windows[replay.tag / 2];
            const int way = int(replay.tag % 2);
            w.busy[way] = false;
            if (lines.size() == size_t(replay.steps) &&
                SameHero(route[size_t(replay.steps) - 1], lines.back(), settings.tolerance))
                w.open[way] = ++w.room[way] < settings.cap;
            else w.open[way] = false;
            // Wide enough for the floor: the rest would only cost replays.
            if (w.floor > 0 && w.Steps() >= w.floor) w.open[0] = w.open[1] = false;
        });

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    size_t tightest = 0;
    for (size_t i = 0; i < windows.size(); ++i)
        if (windows[i].Steps() < windows[tightest].Steps()) tightest = i;
    if (windows.empty()) {
        printf("%s: no press to measure\n", settings.run.level.c_str());
        return true;
    }
    const Press& worst = movie.presses[measured[tightest]];
    printf("%s: %zu press%s, tightest window %s steps (%s at step %ld), %ld replays in %.1f s\n",
           settings.run.level.c_str(), measured.size(), measured.size() == 1 ? "" : "es",
           WindowText(windows[tightest], settings).c_str(), worst.key.c_str(), worst.downStep, replays, seconds);
    PrintTightest(movie, measured, windows, settings);
    fflush(stdout);
    bool allWide = true;
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i].Steps() >= windows[i].floor) continue;
        const Press& press = movie.presses[measured[i]];
        fprintf(stderr, "duskhold-routewindow: %s: the press of %s at step %ld has a window of %ld steps, below %ld\n",
                settings.run.level.c_str(), press.key.c_str(), press.downStep, windows[i].Steps(), windows[i].floor);
        allWide = false;
    }
    return allWide;
}
}

int main(int argc, char** argv) {
    ToolCommandLine line;
    if (!ParseToolCommandLine(argc, argv, {"--hits", "--mash"},
                              {"--game", "--data", "--cap", "--after", "--tolerance", "--jobs", "--from", "--to",
                               "--show", "--floor", "--at"},
                              line) ||
        line.arguments.empty() || line.Has("--help"))
        return ToolUsage(kUsage, argc, argv);
    Settings settings;
    settings.run.game = Absolute(line.Value("--game", BesideThisTool("duskhold")));
    settings.run.data = Absolute(line.Value("--data", ""));
    settings.cap = Number(line, "--cap", settings.cap, 1);
    settings.after = Number(line, "--after", settings.after, 1);
    settings.tolerance = double(Number(line, "--tolerance", 4, 0));
    settings.jobs = int(Number(line, "--jobs", settings.jobs, 1));
    settings.from = Number(line, "--from", 0, 0);
    settings.to = Number(line, "--to", 0, 0);
    settings.show = Number(line, "--show", settings.show, 0);
    settings.floor = Number(line, "--floor", 0, 0);
    if (line.Has("--at") && !ReadPressSteps(line.Value("--at", ""), settings.at)) {
        fprintf(stderr, "duskhold-routewindow: --at needs steps from 1, each with :FLOOR or not, a comma between\n");
        return 2;
    }
    settings.hits = line.Has("--hits");
    settings.mash = line.Has("--mash");

    char work[] = "/tmp/duskhold-routewindow-XXXXXX";
    if (!mkdtemp(work)) {
        fprintf(stderr, "duskhold-routewindow: cannot make a folder in /tmp\n");
        return 1;
    }
    settings.run.workDir = work;
    bool allPass = true;
    for (const std::string& movie : line.arguments)
        allPass = (settings.mash ? MashStage : MeasureStage)(Absolute(movie), settings) && allPass;
    std::filesystem::remove_all(work);
    return allPass ? 0 : 1;
}
