#!/bin/sh
# Installs what make web and make test-web need, skipping what is there:
# Debian's emscripten, timidity with the freepats instruments, chromium and
# ImageMagick, and puppeteer-core from the npm registry into tests/web.
set -e
cd "$(dirname "$0")/../.."
# A node and npm from elsewhere serve as well as Debian's.
npm=$(command -v npm >/dev/null || echo npm)
sh tools/install-deps.sh emscripten timidity freepats chromium imagemagick xvfb xauth $npm
cd tests/web
[ -d node_modules/puppeteer-core ] || npm ci --no-audit --no-fund --loglevel=error
