#!/bin/sh
# Builds zlib and libpng for the browser, once, from Debian's own source
# packages: emscripten's ports would download their sources at build time.
# The sources come through an apt configuration of our own that adds the
# deb-src line, so the machine's sources stay as they are.
# Usage: tools/web/libraries.sh BUILD_DIR   (installs into BUILD_DIR/libs)
set -e
BUILD=$(realpath "$1")
PREFIX=$BUILD/libs
[ -f "$PREFIX/lib/libpng.a" ] && exit 0
WORK=$BUILD/library-sources
APT=$WORK/apt
mkdir -p "$APT/lists/partial" "$APT/cache/archives/partial" "$APT/sources.list.d" "$PREFIX/lib" "$PREFIX/include"
echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
    >"$APT/sources.list"
set -- -o APT::Sandbox::User=root -o "Dir::Etc::SourceList=$APT/sources.list" -o "Dir::Etc::SourceParts=$APT/sources.list.d" \
    -o "Dir::State::Lists=$APT/lists" -o "Dir::Cache=$APT/cache"
apt-get "$@" update -qq
cd "$WORK"
apt-get "$@" -qq source --download-only zlib libpng1.6 >/dev/null
rm -rf zlib libpng
mkdir zlib libpng
tar -xf zlib_*.orig.tar.* -C zlib --strip-components=1
tar -xf libpng1.6_*.orig.tar.* -C libpng --strip-components=1

# zlib: its own makefile with emcc as the compiler, only the static library.
(cd zlib && CHOST=wasm32 emconfigure ./configure --static --prefix="$PREFIX" >/dev/null &&
    emmake make -j2 libz.a >/dev/null && cp libz.a "$PREFIX/lib" && cp zlib.h zconf.h "$PREFIX/include")

# libpng: the library's sources with its stock configuration header.
cd libpng
cp scripts/pnglibconf.h.prebuilt pnglibconf.h
for source in png pngerror pngget pngmem pngpread pngread pngrio pngrtran pngrutil pngset pngtrans pngwio \
    pngwrite pngwtran pngwutil; do
    emcc -O2 -I"$PREFIX/include" -I. -c $source.c -o $source.o
done
emar rcs "$PREFIX/lib/libpng.a" ./*.o
cp png.h pngconf.h pnglibconf.h "$PREFIX/include"
