#!/bin/sh
# Installs the Debian packages the build, the launcher and the tests need, but only the missing ones.
# Quick and silent when everything is already there.
set -e
pkgs="cmake make g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
      g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine wine64 xvfb xauth x11-utils imagemagick
      zlib1g-dev libz-mingw-w64-dev fonts-wqy-microhei chromium nodejs
      clang libclang-rt-14-dev"
missing=""
for p in $pkgs; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y --no-install-recommends $missing
fi
# The movie player's conformance test drives an independent player (npm packages, pinned).
conformance="$(dirname "$0")/../standins/movieplayer/conformance"
if [ ! -d "$conformance/node_modules" ]; then
    (cd "$conformance" && npm ci --no-audit --no-fund --loglevel=error)
fi
