#!/bin/sh
# Plays title, menu, stage, fall, game over, menu, ... CYCLES times with
# --fast and prints, at the start of each cycle (each time the menu comes
# on), the live texture and sound counts and the resident memory. Fails when
# a count differs from the first cycle's: nothing may pile up. Then presses
# F5 RELOADS times in a stage, each press rebuilding the stage from its
# files, and fails when the texture, sound or collision shape count after
# the last reload differs from the count after the first.
#
#   tools/long-run.sh [BUILD_DIR] [CYCLES] [RELOADS]
#   (make long-run CYCLES=N RELOADS=N)
#
# The stage is a copy of the first stage without a floor, so the hero falls
# out at once; the save file holds one file on that stage.
set -eu
BUILD=${1:-build}
CYCLES=${2:-50}
RELOADS=${3:-1000}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM

. "$(dirname "$0")/cycle-movie.sh"
prepare_cycle_data "$BUILD" "$WORK/data"

FALL=$(probe_fall "$BUILD" "$WORK")
write_cycle_movie "$CYCLES" "$FALL" > "$WORK/cycles.movie"
PERIOD=$((MENU_TO_STAGE + FALL + STILL_STEPS + 1))
STEPS=$((MENU_STEP + CYCLES * PERIOD + 10))
START=$(date +%s)
DUSKHOLD_TRACE_RSS=1 run_cycle_game "$BUILD" "$WORK" cycles.movie "$STEPS" cycles.jsonl
echo "$CYCLES cycles of $PERIOD steps ($STEPS steps) in $(($(date +%s) - START)) s"

FIELD='
function field(name,   m) {
    if (match($0, "\"" name "\":[-0-9.]+")) return substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 3)
    return "?"
}'
awk -v first="$MENU_STEP" -v period="$PERIOD" -v cycles="$CYCLES" "$FIELD"'
BEGIN { printf "%6s %7s %8s %6s %8s\n", "cycle", "step", "textures", "sounds", "rss_kb" }
NR >= first && (NR - first) % period == 0 && (NR - first) / period < cycles {
    cycle = (NR - first) / period + 1
    if ($0 !~ /"state":"menu"/) { printf "cycle %d: step %d is not the menu\n", cycle, NR; bad = 1 }
    t = field("textures"); s = field("sounds"); r = field("rss_kb")
    printf "%6d %7d %8s %6s %8s\n", cycle, NR, t, s, r
    if (cycle == 1) { t1 = t; s1 = s; r1 = r } else if (t != t1 || s != s1) bad = 1
    if (cycle == 2) r2 = r
    last = r; seen = cycle
}
END {
    if (seen != cycles) { printf "only %d of %d cycles reached\n", seen, cycles; bad = 1 }
    if (seen > 1) printf "resident memory: %d KiB at cycle 1, %d at cycle 2, %d at cycle %d (%+d since cycle 2)\n", r1, r2, last, seen, last - r2
    if (bad) { print "long-run: the counts did not stay flat"; exit 1 }
    print "long-run: textures and sounds flat over every cycle"
}' "$WORK/cycles.jsonl"

# The reloads, in the second stage (the first is the bottomless one): one
# press of F5 every other step.
{
    echo "duskhold-movie 1"
    press=0
    while [ "$press" -lt "$RELOADS" ]; do
        hold $((10 + 2 * press)) f5 1
        press=$((press + 1))
    done
} > "$WORK/reloads.movie"
LAST=$((10 + 2 * RELOADS))
START=$(date +%s)
DUSKHOLD_TRACE_RSS=1 GAME_ARGS="--level blk201a" run_cycle_game "$BUILD" "$WORK" reloads.movie "$LAST" reloads.jsonl
DONE=$(grep -c "reloaded" "$WORK/reloads.jsonl.log" || true)
echo "$DONE of $RELOADS reloads in $(($(date +%s) - START)) s"
[ "$DONE" -eq "$RELOADS" ] || { echo "long-run: not every press of F5 reloaded the stage"; exit 1; }
awk -v first=12 -v last="$LAST" "$FIELD"'
NR == first || NR == last {
    counts = field("textures") " textures, " field("sounds") " sounds, " field("shapes") " shapes"
    printf "after reload %s: %s, %s KiB resident\n", NR == first ? "1" : "'"$RELOADS"'", counts, field("rss_kb")
    if (NR == first) firstCounts = counts; else lastCounts = counts
}
END {
    if (lastCounts == "" || lastCounts != firstCounts) { print "long-run: the counts did not stay flat over the reloads"; exit 1 }
    print "long-run: textures, sounds and shapes flat over every reload"
}' "$WORK/reloads.jsonl"
