#!/usr/bin/env bash
# The everyday path through the real program under Xvfb: open a scene file, type a
# new CC number for Knob-1, save as a new file, and compare the saved bytes.
# Usage: edit_and_save.sh BINDIR DATADIR
set -euo pipefail
bin=$(realpath "$1")
data=$(realpath "$2")
work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The editor's settings stay in the scratch folder, not the user's HOME.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$XDG_CONFIG_HOME"
cp "$data/DefPara.ini" "$data/NotePara.ini" "$work/"
display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
editor=""
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

start_editor() {
    (cd "$work" && exec "$bin/korvo-editor") &
    editor=$!
    win=""
    for _ in $(seq 100); do
        win=$(xdotool search --name '^Controller editor$' 2>/dev/null | head -n 1 || true)
        [ -n "$win" ] && break
        sleep 0.1
    done
    [ -n "$win" ] || { echo "the editor window did not appear"; exit 1; }
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    client_x=$X
    client_y=$((Y + HEIGHT - 546))
    # No window manager gives the focus: point at the window and take it.
    xdotool mousemove $((client_x + 60)) $((client_y + 345))
    xdotool windowfocus --sync "$win"
}
stop_editor() {
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    editor=""
}
click() { xdotool mousemove $((client_x + $1)) $((client_y + $2)) click 1; sleep 0.2; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
# Types a path into the file dialog that the shortcut opens, and confirms it.
file_dialog() {
    keys "$1"
    sleep 0.7
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
    [ -n "${KORVO_E2E_SHOTS:-}" ] && "$bin/korvo-grab" "$KORVO_E2E_SHOTS/dialog-$(basename "$2").png"
    keys Return
}
wait_for_file() {
    for _ in $(seq 50); do [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" = 3536 ] && return 0; sleep 0.1; done
    echo "$1 was not written"
    exit 1
}

# The shipped defaults, saved once: the scene file to open.
start_editor
file_dialog ctrl+alt+s "$work/in.kvo"
wait_for_file "$work/in.kvo"
stop_editor

start_editor
file_dialog ctrl+o "$work/in.kvo"
click 190 58                   # Knob-1's label
click 380 408                  # its CC Number box
keys ctrl+a
xdotool type "99"
keys Tab
file_dialog ctrl+alt+s "$work/out.kvo"
wait_for_file "$work/out.kvo"
stop_editor

# Exactly one byte differs: scene 1's KonbCCNumber[0] (offset 80) from 74 to 99.
diff=$(cmp -l "$work/in.kvo" "$work/out.kvo" || true)
expected="$(printf '%d %o %o' 81 74 99)"
if [ "$(echo "$diff" | tr -s ' ' | sed 's/^ //')" != "$expected" ]; then
    echo "unexpected difference between the opened and the saved file:"
    echo "$diff"
    exit 1
fi
echo "saved file as expected"
