#!/bin/sh
# Plays title, menu, stage, fall, game over, menu, ... CYCLES times with
# --fast and prints, at the start of each cycle (each time the menu comes
# on), the live texture and sound counts and the resident memory. Fails when
# a count differs from the first cycle's: nothing may pile up.
#
#   tools/long-run.sh [BUILD_DIR] [CYCLES]      (make long-run CYCLES=N)
#
# The stage is a copy of the first stage without a floor, so the hero falls
# out at once; the save file holds one file on that stage.
set -eu
BUILD=${1:-build}
CYCLES=${2:-50}
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

awk -v first="$MENU_STEP" -v period="$PERIOD" -v cycles="$CYCLES" '
function field(name,   m) {
    if (match($0, "\"" name "\":[-0-9.]+")) return substr($0, RSTART + length(name) + 3, RLENGTH - length(name) - 3)
    return "?"
}
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
