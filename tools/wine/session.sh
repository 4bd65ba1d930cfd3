#!/bin/sh
# Runs a command (ctest of the Windows build) inside one Wine session: one virtual X display
# for the whole run and one persistent wineserver, both stopped afterwards.
#   session.sh <build dir> <command...>
set -e
build="$1"; shift
export WINEPREFIX="$build/wineprefix" TAVIK_BIN_DIR="$build/bin"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
"$(dirname "$0")/prefix.sh"

# Xvfb picks a free display number itself and writes it to fd 3.
fifo=$(mktemp -u); mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r n <"$fifo"; rm -f "$fifo"
[ -n "$n" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$n"
# A wineserver already running for this prefix is shared and left running afterwards.
own_server=0
env LC_ALL=zh_CN.UTF-8 wineserver -p 2>/dev/null && own_server=1
# Start Wine's own background processes now, detached from our output: processes started later
# would otherwise hand them their stdout, and ctest would wait for those pipes to close.
env LC_ALL=zh_CN.UTF-8 wine cmd /c exit >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
[ $own_server -eq 1 ] && { wineserver -k 2>/dev/null || true; }
kill $xvfb 2>/dev/null || true
wait $xvfb 2>/dev/null || true
exit $status
