#!/usr/bin/env bash
# A level designer's first scene, end to end: the real KELV, started from a fresh copy of the
# program folder with fresh settings, under a virtual X server, driven with xdotool. Keys
# choose the units, the Scene menu chooses the shapes, mouse drags paint a line of red beans, a
# block of green beans, a start point and a stone; the properties dialog gives the scene its
# title and background (both dialogs under their own titles); Ctrl+S saves it into Scenes through the file dialog. scenetool must
# accept the file and find exactly the painted cells, and MunchTrail must list it on its scene
# selection screen. Every screenshot is kept in the artefact folder.
# With MT_INSTALLED_TREE naming an installed prefix (install_check.sh), the installed kelv and
# munchtrail run instead, with a fresh home: the scene goes into the player's own folder, and
# the game lists the shipped scenes, then that one too.
#
# usage: e2e_editor.sh <program folder> <artefact folder>
# exit: 0 passed, 1 failed (also when xvfb-run, xdotool or ImageMagick is missing)
set -u

dist=$(cd "$1" && pwd)
artefacts=$2

source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import compare convert
e2e_under_xvfb 1024x768 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  done
  rm -rf "$work"
}
trap cleanup EXIT

# ---- a fresh program folder and fresh settings ----
mkdir -p "$work/prog/Scenes" "$work/home"
e2e_fresh_home "$work"
export HOME=$work/home XDG_DATA_HOME=$work/data SDL_AUDIODRIVER=dummy
installed=${MT_INSTALLED_TREE:-}
if [ -n "$installed" ]; then
  kelv=$installed/games/kelv
  scenetool=$installed/games/scenetool
  scene="$XDG_DATA_HOME/munchtrail/Scenes/Untitled.qsn"
else
  cp "$dist/KELV" "$work/prog/"
  cp -r "$dist/DAT" "$work/prog/"
  [ -d "$dist/icons" ] && cp -r "$dist/icons" "$work/prog/"
  [ -f "$dist/Readme.htm" ] && cp "$dist/Readme.htm" "$work/prog/"
  kelv=$work/prog/KELV
  scenetool=$dist/scenetool
  scene="$work/prog/Scenes/Untitled.qsn"
fi

# ---- the editor ----
step "KELV starts"
"$kelv" >"$artefacts/kelv-stdout.txt" 2>"$artefacts/kelv-stderr.txt" &
kelv_pid=$!
pids+=("$kelv_pid")
win=$(timeout 15 xdotool search --sync --name "Untitled - Munch Trail Scene Editor" 2>/dev/null | head -n 1)
if [ -z "$win" ]; then
  echo "FAILED: the editor window did not appear"
  exit 1
fi
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
sleep 0.8
shot() { import -window root "$artefacts/$1.png"; }
shot 01-started

# The view fills the window between the toolbar and the status bar at 800 x 600, two screen
# pixels a picture pixel, so a cell is 20 x 20. Its top is found by the green hover frame,
# which starts on cell (0, 0); failing that, the status bar is taken as 23 pixels high.
eval "$(xdotool getwindowgeometry --shell "$win")"
view_x=$X
view_y=$((Y + HEIGHT - 600 - 23))
frame_row=$(convert "$artefacts/01-started.png" -crop "1x200+$((X + 1))+$Y" +repage txt:- |
  awk -F'[,:]' '/#00FF00/ {print $2; exit}')
[ -n "$frame_row" ] && view_y=$((Y + frame_row))
echo "view at $view_x, $view_y"
at() { echo "$((view_x + 20 * $1 + 10)) $((view_y + 20 * $2 + 10))"; }
drag() {
  # shellcheck disable=SC2046
  xdotool mousemove $(at "$1" "$2") sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove $(at $(( ($1 + $3) / 2 )) $(( ($2 + $4) / 2 ))) sleep 0.1 \
    mousemove $(at "$3" "$4") sleep 0.1 mouseup 1
  sleep 0.3
}
key() { xdotool key --delay 60 "$@"; sleep 0.3; }
# A window whose whole title (_NET_WM_NAME, what a window manager shows) is exactly $1.
titled() { [ "$(xdotool getwindowname "$(xdotool search --name "^$1" | head -n 1)" 2>/dev/null)" = "$1" ]; }
# Without a window manager the keyboard focus does not come back by itself after a dialog.
refocus() { xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"; sleep 0.3; }

step "a line of red beans"
key 1
key alt+s l            # Scene > Line
drag 5 10 25 10
step "a block of green beans"
key 3
key alt+s f            # Scene > Filled rectangle
drag 5 15 9 17
step "a start point"
key 8
drag 20 20 20 20
step "a stone without a shape"
key 6
xdotool mousemove $(at 30 5) click 3   # the right button drops the shape
sleep 0.3
drag 30 5 30 5
shot 02-painted

step "properties: title and background"
key ctrl+p
sleep 0.8
shot 03-properties
# The dialogs carry their own titles, without the program's name that Qt could add.
titled "Set scene's properties" || fail "properties dialog title"
xdotool type --delay 40 "Xdotool Pond"
key Tab o              # the background list: "Ore"
key Return             # OK
sleep 0.5
shot 04-ore
refocus

step "Ctrl+S saves into the scene folder"
key ctrl+s
sleep 1.2
shot 05-save-dialog
key Return
sleep 1
shot 06-saved
refocus
if [ ! -f "$scene" ]; then
  fail "no scene at $scene"
else
  cp "$scene" "$artefacts/Untitled.qsn"
  titled=$(xdotool getwindowname "$win")
  [ "$titled" = "Untitled.qsn - Munch Trail Scene Editor" ] || fail "window title after saving: '$titled'"
fi

step "About"
key alt+h a
titled "About" || fail "About box title"
key Return
refocus

step "Exit"
key alt+f x
for _ in $(seq 1 50); do
  kill -0 "$kelv_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$kelv_pid" 2>/dev/null; then
  fail "KELV did not exit (a save prompt means the scene was left modified)"
  shot 07-not-closed
else
  wait "$kelv_pid" || fail "KELV exit code $?"
fi

# ---- scenetool ----
if [ -f "$scene" ]; then
  step "scenetool check and show"
  "$scenetool" check "$scene" >"$artefacts/check.txt" 2>&1 || fail "scenetool check refused the scene"
  "$scenetool" show "$scene" >"$artefacts/show.txt" 2>&1 || fail "scenetool show failed"
  grep -E '^\|[-.rogbp?#SE*]{40}\|$' "$artefacts/show.txt" | tr -d '|' >"$artefacts/show-grid.txt"
  # The painted cells exactly: the line on row 10, the block on rows 15..17, the start point
  # at (20, 20) and the stone at (30, 5); everything else empty.
  expected_grid() {
    for row in $(seq 0 29); do
      line=$(printf '%40s' '' | tr ' ' '.')
      case $row in
        5) line="${line:0:30}#${line:31}" ;;
        10) line=".....rrrrrrrrrrrrrrrrrrrrr${line:26}" ;;
        15 | 16 | 17) line=".....ggggg${line:10}" ;;
        20) line="${line:0:20}S${line:21}" ;;
      esac
      echo "$line"
    done
  }
  expected_grid >"$artefacts/expected-grid.txt"
  diff "$artefacts/expected-grid.txt" "$artefacts/show-grid.txt" >"$artefacts/grid-diff.txt" ||
    fail "the saved grid differs from the painted one (see grid-diff.txt)"
  grep -q "XDOTOOL POND" "$artefacts/show.txt" || fail "title missing in scenetool show"
  grep -q "ORE" "$artefacts/show.txt" || fail "background missing in scenetool show"
fi

# ---- the game lists it ----
# The selection screen must differ from that of an empty scene folder (and, installed, from
# that of the shipped scenes alone): the name and the details of the scene are on it.
selection_shot() {
  local program=$1 name=$2 data=$3
  XDG_DATA_HOME=$data "$program" >"$artefacts/$name-stdout.txt" 2>"$artefacts/$name-stderr.txt" &
  local pid=$!
  pids+=("$pid")
  local game
  game=$(timeout 15 xdotool search --sync --name "Munch Trail 2.01" 2>/dev/null | head -n 1)
  if [ -z "$game" ]; then
    fail "the game window did not appear ($name)"
    return
  fi
  xdotool windowfocus --sync "$game" 2>/dev/null || xdotool windowfocus "$game"
  sleep 0.5
  for _ in 1 2 3; do xdotool key --delay 80 Return; sleep 0.35; done   # logo
  sleep 0.3
  for _ in 1 2 3; do xdotool key --delay 80 Return; sleep 0.35; done   # menu: play
  sleep 0.3
  xdotool key --delay 80 Return; sleep 1.0                               # selection faded in
  import -window "$game" "$artefacts/$name.png"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}
differs() {
  local differ
  differ=$(compare -metric AE "$artefacts/$1.png" "$artefacts/$2.png" null: 2>&1 | cut -d' ' -f1)
  [ "${differ:-0}" -gt 100 ] 2>/dev/null || fail "$2 does not differ from $1 ($differ pixels differ)"
}
if [ -f "$scene" ]; then
  step "MunchTrail lists the scene"
  mkdir -p "$work/game/Scenes" "$work/nodata"
  cp "$dist/MunchTrail" "$work/game/"
  cp -r "$dist/DAT" "$work/game/"
  selection_shot "$work/game/MunchTrail" game-empty "$work/nodata"
  if [ -n "$installed" ]; then
    selection_shot "$installed/games/munchtrail" game-shipped "$work/nodata"
    selection_shot "$installed/games/munchtrail" game-listed "$XDG_DATA_HOME"
    differs game-empty game-shipped
    differs game-shipped game-listed
  else
    cp "$scene" "$work/game/Scenes/"
    selection_shot "$work/game/MunchTrail" game-listed "$work/nodata"
    differs game-empty game-listed
  fi
fi

e2e_verdict "$artefacts"
echo "passed; screenshots in $artefacts"
