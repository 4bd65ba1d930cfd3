#!/bin/sh
# Starts the launcher under Wine from a ready folder: the program, config.ini, the demo site and
# the demo login movie, with the stand-in movie player and page view controls registered. Uses
# the caller's display, or a virtual one when there is none. With SCREENSHOT=file.png it also
# saves a picture of the screen once the launcher is up.
#   run.sh <windows build dir> <native moviemaker>
set -e
build="$1"
moviemaker="$2"
src="$(cd "$(dirname "$0")/.." && pwd)"
# A prefix of its own: links open in Wine's browser here, not in the tests' recorder.
export WINEPREFIX="$build/run-prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine_() { env LC_ALL=zh_CN.UTF-8 wine "$@"; }

folder="$build/run"
rm -rf "$folder"
mkdir -p "$folder"
cp "$build/bin/TavikGame.exe" "$build/bin/MoviePlayer.dll" "$build/bin/pageview.dll" "$folder/"
cp "$src/demo/config.ini" "$folder/"
cp -r "$src/demo/site" "$folder/site"

xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; true; }
trap cleanup EXIT
if [ -z "$DISPLAY" ]; then
    fifo=$(mktemp -u); mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r n <"$fifo"; rm -f "$fifo"
    export DISPLAY=":$n"
    echo "No DISPLAY: running on virtual display $DISPLAY"
fi

if [ ! -f "$WINEPREFIX/.tavik-run-ready" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once)"
    mkdir -p "$WINEPREFIX"
    wine_ wineboot -i >/dev/null 2>&1
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n' \
        > "$WINEPREFIX/drive_c/setup.reg"
    wine_ regedit /S 'C:\setup.reg' >/dev/null 2>&1
    touch "$WINEPREFIX/.tavik-run-ready"
fi
# The stand-in controls, registered from the program's folder.
(cd "$folder" && wine_ regsvr32 /s MoviePlayer.dll && wine_ regsvr32 /s pageview.dll) >/dev/null 2>&1

# The login movie names the demo site by its address in this folder.
site="file:///$(wine_ winepath -w "$folder/site" 2>/dev/null | tr -d '\r' | sed 's#\\#/#g')/"
sed "s#@SITE@#$site#" "$src/demo/login.movie.in" > "$build/login.movie"
"$moviemaker" "$build/login.movie" "$folder/login.swf"
echo "Program folder: $folder"

cd "$folder"
if [ -n "$SCREENSHOT" ]; then
    case "$SCREENSHOT" in /*) shot="$SCREENSHOT" ;; *) shot="$src/$SCREENSHOT" ;; esac
    wine_ TavikGame.exe &
    launcher=$!
    sleep 8
    import -window root "$shot" && echo "Screenshot: $shot"
    wait $launcher || true
else
    wine_ TavikGame.exe || true
fi
