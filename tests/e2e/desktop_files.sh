#!/usr/bin/env bash
# The editor as a desktop starts it, through the real program under Xvfb: the
# command line (--version, --help, an unknown option, a scene file, a file that
# cannot be opened, several files), and File > Open Recent after a save.
# Usage: desktop_files.sh BINDIR DATADIR VERSION
set -euo pipefail
bin=$(realpath "$1")
data=$(realpath "$2")
version=$3
work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$data/DefPara.ini" "$data/NotePara.ini" "$work/"
source "$(dirname "$0")/../../tools/lib/xvfb.sh"
editor=""
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# --- Printing and exiting needs no display.
[ "$(env -u DISPLAY "$bin/korvo-editor" --version)" = "korvo-editor $version" ] || fail "--version"
env -u DISPLAY "$bin/korvo-editor" --help >"$work/help.txt" || fail "--help ended with status $?"
grep -q 'FILE.kvo' "$work/help.txt" || fail "--help names no FILE"
grep -q 'only the' "$work/help.txt" || fail "--help does not say that only the first file is opened"

xvfb_start
export QT_QPA_PLATFORM=xcb

status=0
"$bin/korvo-editor" --no-such-option >"$work/out.txt" 2>"$work/err.txt" || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status, not 2"
[ ! -s "$work/out.txt" ] || fail "an unknown option printed to standard output"
grep -q "no-such-option" "$work/err.txt" && grep -q "Usage:" "$work/err.txt" ||
    fail "an unknown option did not print the problem and the usage to standard error"

window_named() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        kill -0 "$editor" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
start_editor() { # ARGS...; the window is titled "<file> - Controller editor" or "Controller editor"
    (cd "$work" && exec "$bin/korvo-editor" "$@" 2>"$work/editor-err.txt") &
    editor=$!
}
take_focus() {
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$1")"
    client_x=$X
    client_y=$((Y + HEIGHT - 546))
    menu_y=$(((Y + client_y) / 2))
    # No window manager gives the focus: point at the window and take it.
    xdotool mousemove $((client_x + 60)) $((client_y + 345))
    xdotool windowfocus --sync "$1"
}
stop_editor() {
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    editor=""
}
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
wait_for_size() { # FILE: waits until it holds 3,536 bytes
    for _ in $(seq 50); do [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" = 3536 ] && return 0; sleep 0.1; done
    fail "$1 was not written"
}

# A scene file whose scene 1 is called ARGSONG, in another folder, named relatively.
mkdir "$work/songs"
echo '{"format":"Korvo scenes","formatVersion":1,"scenes":[{"scene":1,"name":"ARGSONG"}]}' >"$work/song.json"
(cd "$work" && "$bin/korvo-cli" convert song.json songs/some.kvo >/dev/null)
cp "$work/songs/some.kvo" "$work/original.kvo"

# --- korvo-editor FILE: its scenes, its name in the title; Save writes them back
# unchanged (the defaults would differ), the previous version kept as the backup.
start_editor songs/some.kvo songs/ignored.kvo
win=$(window_named '^some\.kvo - Controller editor$') || fail "the title does not name some.kvo"
grep -q "only the first file is opened" "$work/editor-err.txt" || fail "the second file was not mentioned"
take_focus "$win"
keys ctrl+s
wait_for_size "$work/some.BAK"
cmp -s "$work/songs/some.kvo" "$work/original.kvo" || fail "Save after opening the argument changed the scenes"
cmp -s "$work/some.BAK" "$work/original.kvo" || fail "the backup is not the file opened"

# --- File > Open Recent after a save lists that file first.
keys ctrl+alt+s
sleep 0.7
xdotool key ctrl+a
xdotool type --delay 5 "$work/songs/other.kvo"
keys Return
wait_for_size "$work/songs/other.kvo"
window_named '^other\.kvo - Controller editor$' >/dev/null || fail "the title does not name other.kvo"
xdotool windowfocus --sync "$win" # the closed dialog leaves no focus without a window manager
keys ctrl+n
window_named '^Controller editor$' >/dev/null || fail "New kept the file name"
xdotool mousemove $((client_x + 15)) "$menu_y" click 1
sleep 0.5
keys Down Down Down Right
[ -n "${KORVO_E2E_SHOTS:-}" ] && "$bin/korvo-grab" "$KORVO_E2E_SHOTS/open-recent.png"
keys Return
window_named '^other\.kvo - Controller editor$' >/dev/null ||
    fail "the first entry of Open Recent did not open other.kvo"
grep -q "other.kvo" "$HOME/.config/korvo/korvo-editor.conf" || fail "the settings do not list other.kvo"
stop_editor

# --- A file that cannot be opened: the message, then the defaults.
mkdir "$work/folder.kvo"
for bad in missing.kvo folder.kvo; do
    start_editor "$bad"
    box=$(window_named '^korvo-editor$') || fail "no message for $bad"
    xdotool windowfocus --sync "$box"
    keys Return
    window_named '^Controller editor$' >/dev/null || fail "the editor did not go on after $bad"
    kill -0 "$editor" 2>/dev/null || fail "the editor ended after $bad"
    stop_editor
done
echo "the desktop ways of opening files work"
