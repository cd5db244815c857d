#!/usr/bin/env bash
# Installs the build into a temporary folder (cmake --install with DESTDIR) and
# checks the installed tree the way a desktop uses it: the desktop entry and the
# AppStream metadata validate, the scene file type is known, the programs run from
# the moved tree, and the editor started from an empty home folder makes the
# user's Korvo folder with the start-up files.
#
# Usage: install_test.sh BUILDDIR VERSION DESKTOP_ID [with-file]
#   with-file: instead, the editor opens a scene file given as its argument, and
#   prints its version (needs the editor's command line).
set -euo pipefail
build=$(realpath "$1")
version=$2
id=$3
mode=${4:-}
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/tools/lib/xvfb.sh"

tmp=$(mktemp -d)
editor=""
cleanup() {
    [ -n "$editor" ] && kill "$editor" 2>/dev/null
    xvfb_stop
    wait 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# /usr as the prefix, as the package has it, but the tree lies elsewhere: the
# programs must find their files relative to themselves.
DESTDIR=$tmp/dest cmake --install "$build" --prefix /usr >/dev/null
root=$tmp/dest/usr
share=$root/share

for f in bin/korvo-editor bin/korvo-emulator share/korvo/DefPara.ini share/korvo/NotePara.ini \
         "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" share/mime/packages/korvo.xml \
         "share/icons/hicolor/scalable/apps/$id.svg" \
         share/man/man1/korvo-editor.1.gz share/man/man1/korvo-emulator.1.gz; do
    [ -s "$root/$f" ] || fail "$f is not installed"
done
for size in 48 128 256; do
    file "$share/icons/hicolor/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size" ||
        fail "no $size-pixel icon"
done

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$tmp/appstream.txt" 2>&1 ||
    { cat "$tmp/appstream.txt"; fail "appstreamcli validate"; }

# The scene file type, as a desktop without its own file type tool finds it.
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
head -c 3536 /dev/zero >"$tmp/x.kvo"
type=$(env -u DISPLAY -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION XDG_DATA_DIRS="$share" \
       XDG_DATA_HOME="$tmp/nothing" xdg-mime query filetype "$tmp/x.kvo")
[ "$type" = application/x-korvo-scenes ] || fail "xdg-mime says $type for x.kvo"

[ "$("$root/bin/korvo-emulator" --version)" = "korvo-emulator $version" ] || fail "korvo-emulator --version"
if [ -x "$root/bin/korvo-cli" ]; then
    "$root/bin/korvo-cli" --version | grep -qF "$version" || fail "korvo-cli --version"
fi

# A new user: HOME and the XDG folders in a temporary place, the home folder as
# the working folder, as an application menu starts the editor.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/home/.local/share XDG_CONFIG_HOME=$tmp/home/.config \
       XDG_CACHE_HOME=$tmp/home/.cache XDG_RUNTIME_DIR=$tmp/runtime QT_QPA_PLATFORM=xcb
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
userdir=$XDG_DATA_HOME/korvo
# A mark in the installed copy shows that it, and no other, was copied.
echo "KorvoInstallTest=1" >>"$share/korvo/DefPara.ini"
xvfb_start

window() { # waits for a window whose title is $1 and prints its id
    local win=""
    for _ in $(seq 150); do
        win=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        [ -n "$win" ] && break
        kill -0 "$editor" 2>/dev/null || break
        sleep 0.1
    done
    echo "$win"
}
stop_editor() { kill "$editor" 2>/dev/null || true; wait "$editor" 2>/dev/null || true; editor=""; }

if [ "$mode" = with-file ]; then
    [ "$(timeout 10 "$root/bin/korvo-editor" --version)" = "korvo-editor $version" ] || fail "korvo-editor --version"
    # A relative name, resolved in the folder the editor was started in before it
    # moves to the user's Korvo folder. Save then writes that file and leaves the
    # backup in the user's Korvo folder, without asking for a name.
    mkdir "$HOME/scenes"
    head -c 3536 /dev/zero >"$HOME/scenes/song.kvo"
    (cd "$HOME/scenes" && exec "$root/bin/korvo-editor" song.kvo) &
    editor=$!
    win=$(window 'Controller editor$')
    [ -n "$win" ] || fail "the editor window did not appear"
    sleep 0.5
    xdotool windowfocus --sync "$win"
    xdotool key ctrl+s
    for _ in $(seq 50); do [ -f "$userdir/song.BAK" ] && break; sleep 0.1; done
    [ -f "$userdir/song.BAK" ] || fail "Save did not write the file given as the argument"
    cmp -s "$userdir/song.BAK" <(head -c 3536 /dev/zero) || fail "the backup is not the file opened"
    [ "$(stat -c %s "$HOME/scenes/song.kvo")" = 3536 ] || fail "Save did not write song.kvo"
    stop_editor
    echo "the installed editor opened the file given as its argument"
    exit 0
fi

(cd "$HOME" && exec "$root/bin/korvo-editor") &
editor=$!
[ -n "$(window '^Controller editor$')" ] || fail "the installed editor's window did not appear"
cmp "$userdir/DefPara.ini" "$share/korvo/DefPara.ini" || fail "DefPara.ini was not copied"
cmp "$userdir/NotePara.ini" "$share/korvo/NotePara.ini" || fail "NotePara.ini was not copied"
stop_editor

# Without HOME there is no user's Korvo folder: the error names the places, and
# the editor ends with status 1 once it is acknowledged.
mkdir "$tmp/empty"
(cd "$tmp/empty" && exec env -u HOME -u XDG_DATA_HOME "$root/bin/korvo-editor") &
editor=$!
box=$(window '^korvo-editor$')
[ -n "$box" ] || fail "no error message without HOME"
[ -z "$(xdotool search --onlyvisible --name '^Controller editor$' 2>/dev/null || true)" ] ||
    fail "the main window appeared without start-up files"
xdotool windowfocus --sync "$box"
xdotool key Return
status=0
wait "$editor" || status=$?
editor=""
[ "$status" = 1 ] || fail "the editor ended with status $status after the start-up error"
echo "installed tree as expected"
