#!/bin/sh
# Checks the Debian packages that `make deb` built (duskhold and
# duskhold-tools), as a player's system and Debian's own tools see them:
#   - lintian reports no error and no warning (tags named in
#     LINTIAN_SUPPRESS, which concern uploads to the Debian archive only,
#     are left out);
#   - the desktop entry and the AppStream metadata validate;
#   - the manual page of the game names every option of its --help;
#   - the game, unpacked from the package into a temporary folder, runs a
#     few steps from another folder and finds its data there by itself;
#   - apt-get would install the packages and everything they depend on.
# Needs a display for the game (make deb-check brings one).
#
#   tools/deb-check.sh DEB_BUILD_DIR      (make deb-check)
set -eu
BUILD=$(cd "${1:-build-deb}" && pwd)
set -- "$BUILD"/duskhold_*.deb "$BUILD"/duskhold-tools_*.deb
for package in "$@"; do
    [ -f "$package" ] || { echo "deb-check: no package $package: run make deb" >&2; exit 1; }
done
WORK=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$WORK"' EXIT INT TERM
ROOT=$WORK/root

step() { echo "== deb-check: $*"; }

step "lintian"
suppress=$(echo ${LINTIAN_SUPPRESS:-} | tr ' ' ,)
lintian --fail-on error,warning --display-info ${suppress:+--suppress-tags "$suppress"} "$@"

for package in "$@"; do dpkg-deb -x "$package" "$ROOT"; done
step "desktop-file-validate"
desktop-file-validate "$ROOT"/usr/share/applications/*.desktop
step "appstreamcli validate"
appstreamcli validate --no-net --explain "$ROOT"/usr/share/metainfo/*.metainfo.xml

step "every option of duskhold --help is in duskhold(6)"
page=$(zcat "$ROOT/usr/share/man/man6/duskhold.6.gz" | sed 's/\\-/-/g')
missing=""
for option in $("$ROOT/usr/games/duskhold" --help | grep -o -E '(^|[ ,])-{1,2}[a-z][a-z-]*' | tr -d ' ,'); do
    echo "$page" | grep -q -e "$option" || missing="$missing $option"
done
[ -z "$missing" ] || { echo "deb-check: duskhold(6) lacks:$missing" >&2; exit 1; }

step "the unpacked game runs from / and finds its data"
export LIBGL_ALWAYS_SOFTWARE=1 DUSKHOLD_NO_DIALOG=1 SDL_AUDIODRIVER=dummy
unset DUSKHOLD_DATA
if ! output=$(cd / && "$ROOT/usr/games/duskhold" --fast --steps 30 --trace "$WORK/trace.jsonl" 2>&1) ||
    ! echo "$output" | grep -F "Data directory: $ROOT/usr/share/duskhold (installed)" ||
    [ "$(wc -l < "$WORK/trace.jsonl")" -ne 30 ]; then
    { echo "deb-check: the unpacked game did not run 30 steps on its own data:"; echo "$output"; } >&2
    exit 1
fi

step "apt-get install --simulate"
apt-get install --simulate "$@" > "$WORK/apt.txt" || { cat "$WORK/apt.txt" >&2; exit 1; }
grep -E "^Conf duskhold(-tools)? " "$WORK/apt.txt"
