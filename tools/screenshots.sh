#!/bin/sh
# Takes the screenshots that the README shows: replays each movie in
# docs/screenshots/movies with the built game in a 960 by 720 window and
# writes the pictures that its "# shot: STEP NAME" lines ask for as
# docs/screenshots/NAME.png. An "# options: ..." line adds options for the
# game, such as --level NAME. Needs a display (make screenshots brings one).
#
# Then every kind of thing on one screen for docs/stage-making.md: the
# level source docs/screenshots/things.txt, compiled into a copy of the data
# folder, gives docs/screenshots/things.png.
#
# Then the stages' contact sheet: each route movie in content/routes is
# replayed on its stage at the game's own 320 by 240 with the console
# hidden, its "# shot:" lines give docs/stages/NAME.png, and docs/stages.md
# shows them with the stage's size, the step on which the route clears it
# and the gems it takes.
#
#   tools/screenshots.sh [BUILD_DIR]      (make screenshots)
#
# The game runs from inside the build directory with --data data, so that
# the data folder's status line in the console reads the same on every
# machine.
#
# The pictures show the default settings and the shipped save file, whatever
# the player's own are: each movie saves into an empty folder of its own,
# thrown away after it.
set -eu
export XDG_CONFIG_HOME=/dev/null/settings
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-build}" && pwd)
SHOTS=$ROOT/docs/screenshots
export LIBGL_ALWAYS_SOFTWARE=1 DUSKHOLD_NO_DIALOG=1 SDL_AUDIODRIVER=dummy

# shoot MOVIE: one run of the game up to the movie's last shot.
shoot() {
    movie=$1
    set --
    steps=0
    while read -r hash word first rest; do
        [ "$hash" = "#" ] || continue
        case $word in
        shot:)
            case $first in '' | *[!0-9]*) echo "$movie: '$first' is not a step" >&2; return 1 ;; esac
            set -- "$@" --shot "$first:$SHOTS/$rest.png"
            if [ "$first" -gt "$steps" ]; then steps=$first; fi ;;
        options:)
            # shellcheck disable=SC2086  # the options are words
            set -- "$@" "$first" $rest ;;
        esac
    done < "$movie"
    if [ "$steps" -eq 0 ]; then
        echo "$movie: no '# shot: STEP NAME' line" >&2
        return 1
    fi
    saves=$(mktemp -d)
    log=$(cd "$BUILD" && XDG_DATA_HOME=$saves ./duskhold --data data --window 960x720 --fast --replay "$movie" \
        --steps "$steps" "$@" 2>&1) || { echo "$log" >&2; echo "$movie: the game failed" >&2; rm -rf "$saves"; return 1; }
    rm -rf "$saves"
}

for movie in "$SHOTS"/movies/*.movie; do
    shoot "$movie"
    echo "$(basename "$movie"): $(sed -n 's/^# shot: [0-9]* \(.*\)$/\1.png/p' "$movie" | paste -sd ' ' -)"
done

things=$(mktemp -d)
cp -r "$BUILD/data" "$things/data"
"$BUILD/duskhold-level" compile "$SHOTS/things.txt" "$things/data/levels/things"
(cd "$things" && "$BUILD/duskhold" --data data --window 960x720 --fast --level things --steps 3 \
    --shot "3:$SHOTS/things.png" > "$things/log" 2>&1) || { cat "$things/log" >&2; rm -rf "$things"; exit 1; }
rm -rf "$things"
echo "things.txt: things.png"

STAGES=$ROOT/docs/stages
SHEET=$ROOT/docs/stages.md

# stage_row ROUTE: pictures the route and prints the stage's row of the sheet.
stage_row() {
    route=$1
    level=$(basename "$route" .movie)
    work=$(mktemp -d)
    # The things move from the first step, so the route cannot wait for the
    # console's start-up lines to go: the console is hidden instead.
    echo "console = off" > "$work/settings"
    set --
    pictures=
    shots=$(sed -n 's/^# shot: \([0-9]*\) \(.*\)$/\1 \2/p' "$route")
    while read -r step name; do
        set -- "$@" --shot "$step:$STAGES/$name.png"
        pictures="$pictures ![$name](stages/$name.png)"
    done <<EOF
$shots
EOF
    budget=$(sed -n 's/^# budget: \([0-9]*\)$/\1/p' "$route")
    (cd "$BUILD" && ./duskhold --data data --window 320x240 --fast --level "$level" --replay "$route" \
        --settings "$work/settings" --steps "$budget" --trace "$work/trace.jsonl" "$@" > "$work/log" 2>&1) ||
        { cat "$work/log" >&2; echo "$route: the game failed" >&2; rm -rf "$work"; return 1; }
    clear=$(grep -n '"clear":0[,}]' "$work/trace.jsonl" | head -n 1 | cut -d: -f1)
    gems=$(sed -n "${clear:-1}s/.*\"gems\":\[\([0-9]*\),\([0-9]*\)\].*/, gems \1 of \2/p" "$work/trace.jsonl")
    rm -rf "$work"
    [ -n "$clear" ] || { echo "$route: the route does not clear $level" >&2; return 1; }
    source=$ROOT/content/levels/$level.txt
    title=$(sed -n '1s/^# \([^:]*\):.*/\1/p' "$source")
    size=$(sed -n 's/^grid main \([0-9]*\) \([0-9]*\).*/\1 \2/p' "$source")
    echo "| $title (\`$level\`), $((${size% *} + 1)) by ${size#* } tiles, cleared on step $clear$gems |$pictures |"
}

mkdir -p "$STAGES"
{
    echo "# The stages"
    echo
    echo "Each stage at three points of its route (\`content/routes/LEVEL.movie\`: arrows,"
    echo "X to jump, Z to crack the whip), pictured by \`make screenshots\`. Sizes are in"
    echo "tiles of 24 pixels, columns by rows; the game runs 62.5 steps a second; gems are"
    echo "those the route takes against the stage's total."
    echo
    echo "| Stage | Start, middle and end of the route |"
    echo "|---|---|"
    for route in "$ROOT"/content/routes/*.movie; do
        stage_row "$route"
    done
    # The measured room for error of the routes is written by hand
    # (duskhold-routewindow): kept as it stands.
    sed -n '/^## Room for error/,$p' "$SHEET" | sed '1s/^/\n/'
} > "$SHEET.new"
mv "$SHEET.new" "$SHEET"
echo "docs/stages.md: $(find "$ROOT/content/routes" -name '*.movie' | wc -l) stages"
