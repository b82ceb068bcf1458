# Shared by tools/long-run.sh and tools/memcheck.sh: the data and the movie
# of a title, menu, stage, fall, game over, menu, ... cycle. The step
# numbers follow the screens' timing: a button held from step 1 leaves the
# title and the menu comes on at step 161; from the menu, GAME START, SELECT
# FILE and PLAY reach the file list in 159 steps and PLAY starts the stage 20
# steps later; the game-over screen takes a button once it has stood still
# for 480 steps, and the menu comes on at that very step.
MENU_STEP=161
MENU_TO_STAGE=179
STILL_STEPS=480

# prepare_cycle_data BUILD DATA: a copy of the built data with one save file
# on stage 1 and a first stage the hero falls out of.
prepare_cycle_data() {
    cp -r "$1/data" "$2"
    "$1/duskhold-save" new "$2/svfile" OUTSET:1 > /dev/null
    {
        printf 'bounds 0 0 3200 2400\nstart 1600 480\ntile -1 0 0\ngrid main 13 9\n'
        for row in 0 1 2 3 4 5 6 7 8 9; do printf '|..............\n'; done
        printf 'end\n'
    } > "$2/bottomless.txt"
    "$1/duskhold-level" compile "$2/bottomless.txt" "$2/levels/blk101" > /dev/null
}

# hold STEP KEY STEPS: the two movie lines of a key held for STEPS steps.
hold() { printf '%d down %s\n%d up %s\n' "$1" "$2" $(($1 + $3)) "$2"; }

# write_cycle_movie CYCLES FALL: the movie of CYCLES rounds whose fall takes
# FALL steps (the probe run passes 0 and stops after the first stage).
write_cycle_movie() {
    echo "duskhold-movie 1"
    hold 1 z 50
    menu=$MENU_STEP
    cycle=0
    while [ "$cycle" -lt "$1" ]; do
        hold $((menu + 79)) z 2
        hold $((menu + 109)) down 2
        hold $((menu + 124)) z 2
        hold $((menu + 159)) z 2
        hold $((menu + MENU_TO_STAGE)) z 2
        menu=$((menu + MENU_TO_STAGE + $2 + STILL_STEPS + 1))
        [ "$2" -gt 0 ] && hold "$menu" z 1
        cycle=$((cycle + 1))
    done
}

# run_cycle_game BUILD WORK MOVIE STEPS TRACE [RUNNER...]: runs the game on
# WORK/data with the movie in a 320 by 240 window, sound on a silent device,
# and the options in GAME_ARGS if it is set.
run_cycle_game() {
    build=$1 work=$2 movie=$3 steps=$4 trace=$5
    shift 5
    SDL_AUDIODRIVER=dummy DUSKHOLD_NO_DIALOG=1 "$@" "$build/duskhold" --fast --steps "$steps" \
        --window 320x240 --data "$work/data" --replay "$work/$movie" --trace "$work/$trace" \
        ${GAME_ARGS:-} > "$work/$trace.log" 2>&1 || { cat "$work/$trace.log" >&2; return 1; }
}

# first_step TRACE STATE: the first step whose state is STATE.
first_step() { grep -n "\"state\":\"$2\"" "$1" | head -n 1 | cut -d: -f1; }

# probe_fall BUILD WORK: how many steps the hero of WORK/data takes to fall
# out of the first stage, from a run of the first round without checks.
probe_fall() {
    write_cycle_movie 1 0 > "$2/probe.movie"
    first_stage=$((MENU_STEP + MENU_TO_STAGE))
    run_cycle_game "$1" "$2" probe.movie $((first_stage + 300)) probe.jsonl
    over=$(first_step "$2/probe.jsonl" gameover)
    [ -n "$over" ] || { echo "the hero never fell out of the stage" >&2; return 1; }
    echo $((over - first_stage))
}
