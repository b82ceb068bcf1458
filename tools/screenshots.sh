#!/bin/sh
# Takes the screenshots that the README shows: replays each movie in
# docs/screenshots/movies with the built game in a 960 by 720 window and
# writes the pictures that its "# shot: STEP NAME" lines ask for as
# docs/screenshots/NAME.png. An "# options: ..." line adds options for the
# game, such as --level NAME. Needs a display (make screenshots brings one).
#
#   tools/screenshots.sh [BUILD_DIR]      (make screenshots)
#
# The game runs from inside the build directory with --data data, so that
# the data folder's status line in the console reads the same on every
# machine.
set -eu
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
    log=$(cd "$BUILD" && ./duskhold --data data --window 960x720 --fast --replay "$movie" \
        --steps "$steps" "$@" 2>&1) || { echo "$log" >&2; echo "$movie: the game failed" >&2; return 1; }
}

for movie in "$SHOTS"/movies/*.movie; do
    shoot "$movie"
    echo "$(basename "$movie"): $(sed -n 's/^# shot: [0-9]* \(.*\)$/\1.png/p' "$movie" | paste -sd ' ' -)"
done
