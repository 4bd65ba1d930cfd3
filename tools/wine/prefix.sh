#!/bin/sh
# Makes the Wine prefix named by WINEPREFIX ready for the launcher and its tests, once:
# a fresh prefix without install prompts, no crash dialogs, the recorder as the program behind
# the HTTP open command and the file types tests open, and drive T: for runs from a drive root.
# Cheap when the prefix is ready: it only refreshes the recorder's copy.
set -e
: "${WINEPREFIX:?}" "${TAVIK_BIN_DIR:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" LC_ALL=zh_CN.UTF-8
tools="$WINEPREFIX/drive_c/tavik"
ready="$WINEPREFIX/.tavik-ready"
lock="$WINEPREFIX.lock"

exec 9>"$lock"
flock 9
if [ ! -f "$ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    mkdir -p "$tools" "$WINEPREFIX/troot"
    ln -sfn ../troot "$WINEPREFIX/dosdevices/t:"
    reg="$tools/setup.reg"
    cat > "$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CLASSES_ROOT\Http\shell\open\command]
@="\"C:\\tavik\\recorder.exe\" \"%1\""

[HKEY_CLASSES_ROOT\https\shell\open\command]
@="\"C:\\tavik\\recorder.exe\" \"%1\""

[HKEY_CLASSES_ROOT\.tvkdoc]
@="TavikTestDocument"

[HKEY_CLASSES_ROOT\TavikTestDocument\shell\open\command]
@="\"C:\\tavik\\recorder.exe\" \"%1\""
REG
    wine regedit /S 'C:\tavik\setup.reg' >/dev/null 2>&1
    wineserver -w
    touch "$ready"
fi
if [ -f "$TAVIK_BIN_DIR/recorder.exe" ] && ! cmp -s "$TAVIK_BIN_DIR/recorder.exe" "$tools/recorder.exe"; then
    cp "$TAVIK_BIN_DIR/recorder.exe" "$tools/recorder.exe"
fi
