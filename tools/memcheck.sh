#!/bin/sh
# One title, menu, stage, fall, game over, menu cycle with --fast under
# valgrind's memcheck. Fails on any memory error and on any definite leak;
# tools/valgrind.supp hides only what system libraries (SDL, GL drivers, X,
# D-Bus, the mixer) do inside themselves.
#
#   tools/memcheck.sh [BUILD_DIR]      (make memcheck)
set -eu
BUILD=${1:-build}
SUPP="$(cd "$(dirname "$0")" && pwd)/valgrind.supp"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM

. "$(dirname "$0")/cycle-movie.sh"
prepare_cycle_data "$BUILD" "$WORK/data"
# The fall is timed by a run without valgrind.
FALL=$(probe_fall "$BUILD" "$WORK")
write_cycle_movie 1 "$FALL" > "$WORK/cycle.movie"
SECOND_MENU=$((MENU_STEP + MENU_TO_STAGE + FALL + STILL_STEPS + 1))
START=$(date +%s)
status=0
run_cycle_game "$BUILD" "$WORK" cycle.movie $((SECOND_MENU + 5)) cycle.jsonl \
    valgrind --tool=memcheck --error-exitcode=3 --leak-check=full --show-leak-kinds=definite \
    --errors-for-leak-kinds=definite --num-callers=40 --suppressions="$SUPP" || status=$?
sed -n '/ERROR SUMMARY\|definitely lost\|indirectly lost\|Invalid\|uninitialised\|are definitely/p' \
    "$WORK/cycle.jsonl.log"
echo "memcheck: $((SECOND_MENU + 5)) steps in $(($(date +%s) - START)) s"
if [ "$status" -ne 0 ]; then
    cat "$WORK/cycle.jsonl.log" >&2
    echo "memcheck: errors or definite leaks (exit status $status)" >&2
    exit 1
fi
for state in game gameover; do
    [ -n "$(first_step "$WORK/cycle.jsonl" "$state")" ] || { echo "memcheck: never reached $state" >&2; exit 1; }
done
sed -n "${SECOND_MENU}p" "$WORK/cycle.jsonl" | grep -q '"state":"menu"' ||
    { echo "memcheck: the cycle did not come back to the menu at step $SECOND_MENU" >&2; exit 1; }
echo "memcheck: no error and no definite leak over one cycle"
