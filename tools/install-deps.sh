#!/bin/sh
# Installs the Debian packages that building, running and testing need
# (with the argument "deb", also those of make deb and deb-check),
# skipping those already installed. The map tests run the real Tiled.
set -e
PACKAGES="build-essential cmake pkg-config libsdl1.2-compat-dev libsdl-mixer1.2-dev
libgl-dev libgl1-mesa-dri libpng-dev zlib1g-dev libpugixml-dev nlohmann-json3-dev tiled libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth xdotool freepats clang-format"
# make deb: the tools that build and check the Debian package. Other
# package names on the command line are checked instead (make web and make fuzz
# name their own).
if [ "${1:-}" = deb ]; then
  PACKAGES="$PACKAGES dpkg-dev lintian desktop-file-utils appstream man-db"
elif [ $# -gt 0 ]; then
  PACKAGES="$*"
fi
missing=""
for package in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
    missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "Missing packages:$missing" >&2
  echo "Install them as root: apt-get install$missing" >&2
  exit 1
fi
echo "Installing:$missing"
apt-get update -qq
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
