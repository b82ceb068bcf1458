#!/bin/sh
# make web: the game for the browser in BUILD_DIR (build-web): zlib and
# libpng once, the native build's data with each MIDI tune rendered to OGG
# beside it, the game compiled by emcc, and our page.
# Usage: tools/web/build.sh NATIVE_BUILD_DIR BUILD_DIR JOBS
set -e
NATIVE=$(realpath "$1")
BUILD=$(realpath -m "$2")
JOBS=$3
cd "$(dirname "$0")/../.."
# Debian's emcc runs on its own node modules, which a node from elsewhere does not look in.
export NODE_PATH=/usr/share/nodejs
sh tools/web/libraries.sh "$BUILD"

# The browser cannot play MIDI: timidity renders each tune with the freepats
# instruments that the desktop's mixer uses.
# Rendering takes minutes, so each tune is rendered again only when it changed.
mkdir -p "$BUILD/tunes"
for tune in "$NATIVE"/data/music/*.mid; do
    ogg="$BUILD/tunes/$(basename "${tune%.mid}").ogg"
    [ "$ogg" -nt "$tune" ] || timidity -c /etc/timidity/freepats.cfg -Ov -s 44100 -o "$ogg" "$tune" >/dev/null
done
rm -rf "$BUILD/data"
cp -r "$NATIVE/data" "$BUILD/data"
rm -f "$BUILD/data/.stamp" "$BUILD"/data/music/*.mid
cp "$BUILD"/tunes/*.ogg "$BUILD/data/music"

emcmake cmake -S . -B "$BUILD/game" -DCMAKE_BUILD_TYPE=Release -DDUSKHOLD_WEB_LIBS="$BUILD/libs" \
    -DDUSKHOLD_WEB_DATA="$BUILD/data" >/dev/null
# The data is packed in at link time, which cmake does not know of.
rm -f "$BUILD/game/duskhold.js"
cmake --build "$BUILD/game" -j "$JOBS"
cp "$BUILD"/game/duskhold.js "$BUILD"/game/duskhold.wasm "$BUILD"/game/duskhold.data tools/web/index.html \
    tools/web/page.js "$BUILD"
