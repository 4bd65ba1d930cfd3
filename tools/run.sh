#!/bin/sh
# Starts the launcher under Wine from a ready folder (the program and its config.ini, plus the
# demo bundle when there is one), on the caller's display or on a virtual one.
#   run.sh <windows build dir>
set -e
build="$1"
src="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="$build/wineprefix" TAVIK_BIN_DIR="$build/bin"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$src/tools/wine/prefix.sh"

folder="$build/run"
mkdir -p "$folder"
cp "$build/bin/TavikGame.exe" "$folder/"
if [ -d "$src/demo" ]; then
    cp -r "$src/demo/." "$folder/"
fi
if [ ! -f "$folder/config.ini" ]; then
    # fancy3d=0: do not open the plug-in installer's address on every start.
    printf '[config]\r\nwindow_w=1000\r\nwindow_h=695\r\ngameurl=wd=1\r\nfancy3d=0\r\n' > "$folder/config.ini"
fi
echo "Program folder: $folder"

xvfb=""
if [ -z "$DISPLAY" ]; then
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r n <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$n"
    echo "No DISPLAY: running on virtual display $DISPLAY"
fi
cd "$folder"
status=0
env LC_ALL=zh_CN.UTF-8 wine TavikGame.exe || status=$?
[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
exit $status
