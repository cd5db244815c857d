#!/usr/bin/env bash
# Unsaved scenes survive the end of the program, through the real program under
# Xvfb: an edit, then kill -9 (the recovery file written within two seconds), and
# an edit, then kill -TERM (written at once, exit status 0). Each time the next
# start asks to restore; Yes brings the edit back with the modified marker in the
# title, and Save as writes it. Then 20 editors that searched a private JACK server
# end by SIGTERM, and a new server still starts and the editor finds korvo-emulator.
# Usage: recovery_after_kill.sh BINDIR DATADIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/tools/lib/xvfb.sh"
source "$here/tools/lib/jack.sh"
bin=$(realpath "$1")
data=$(realpath "$2")
work=$(mktemp -d)
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
cp "$data/DefPara.ini" "$data/NotePara.ini" "$work/"
editor="" emulator=""
stop() {
    if [ -n "$1" ]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
cleanup() {
    stop "$editor"; stop "$emulator"; jack_stop; xvfb_stop
    rm -rf "$work"
}
trap cleanup EXIT
xvfb_start
export QT_QPA_PLATFORM=xcb

fail() { echo "$*"; exit 1; }
window_named() {
    local id=""
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
start_editor() {
    (cd "$work" && exec "$bin/korvo-editor") &
    editor=$!
    win=$(window_named '^Controller editor$') || fail "the editor window did not appear"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    client_x=$X
    client_y=$((Y + HEIGHT - 546))
    xdotool mousemove $((client_x + 60)) $((client_y + 345))
    xdotool windowfocus --sync "$win"
}
# Waits up to 10 s for the editor to end; fails with the message when it does not.
wait_end() {
    for _ in $(seq 100); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$editor" 2>/dev/null && fail "$1"
    wait "$editor" || fail "$1 (status $?)"
    editor=""
}
quit_editor() {
    xdotool windowfocus --sync "$win"
    keys ctrl+q
    wait_end "$1"
}
click() { xdotool mousemove $((client_x + $1)) $((client_y + $2)) click 1; sleep 0.2; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
# Answers the box of that title with a key.
answer() {
    local id
    id=$(window_named "^$1\$") || fail "no \"$1\" box appeared"
    sleep 0.3
    xdotool windowfocus --sync "$id"
    keys "$2"
}
edit_knob1() {
    click 190 58   # Knob-1's label
    click 380 408  # its CC Number box
    keys ctrl+a
    xdotool type "$1"
    keys Tab
}
# After a restart: Yes restores, the title carries the marker, Save as writes the edit.
restore_and_check() {
    start_editor
    answer Confirm alt+y
    window_named '^Controller editor\*$' >/dev/null || fail "no modified marker in the title after restoring"
    xdotool windowfocus --sync "$win"
    keys ctrl+alt+s
    sleep 0.7
    xdotool key ctrl+a
    xdotool type --delay 5 "$work/$1.kvo"
    keys Return
    for _ in $(seq 50); do [ -s "$work/$1.kvo" ] && break; sleep 0.1; done
    # Scene 1's KonbCCNumber[0] at offset 80.
    local cc
    cc=$(od -An -tu1 -j80 -N1 "$work/$1.kvo" | tr -d ' ')
    [ "$cc" = "$2" ] || fail "$1: restored CC number $cc, expected $2"
    quit_editor "the editor did not end cleanly after saving"
    echo "$1: restored and saved"
}

# kill -9: nothing runs at the end; the recovery file was written while editing.
start_editor
edit_knob1 99
sleep 2.5
kill -9 "$editor"; wait "$editor" 2>/dev/null || true; editor=""
restore_and_check after-kill-9 99

# kill -TERM: the recovery file is written at once and the status is 0.
start_editor
edit_knob1 42
kill -TERM "$editor"
wait_end "SIGTERM did not end the editor with status 0"
restore_and_check after-kill-term 42

# 20 editors that are clients of a private JACK server end by SIGTERM.
jack_start || fail "the first JACK server did not start"
for run in $(seq 20); do
    start_editor
    keys ctrl+l
    window_named '^Warning$' >/dev/null || fail "run $run: the search did not end"
    kill -TERM "$editor"
    wait_end "run $run: SIGTERM did not end the editor with status 0"
done
jack_stop
echo "20 editors ended by SIGTERM"

jack_start || fail "a new JACK server did not start after 20 editors ended by SIGTERM"
"$bin/korvo-emulator" >/dev/null 2>&1 &
emulator=$!
sleep 0.5
start_editor
keys ctrl+l
answer Confirm Escape  # "Are you sure to read data from device?": the controller was found
quit_editor "the editor did not end cleanly"
echo "a new JACK server started and the editor found korvo-emulator"
