#!/usr/bin/env bash
# The real KELV under a virtual X server, driven by xdotool: its window under its own title, a
# line of red beans brushed, a box of stones and a start point placed with the cursor keys, all
# with real keys and mouse (the clipboard and the fill are checked on Qt's offscreen platform),
# Ctrl+S through the file dialog, and the file that scenetool reads back; told to end by SIGTERM, KELV ends so and saves
# nothing aside for the saved scene. With MT_INSTALLED_TREE (install_check.sh) the
# installed kelv runs with a fresh home and saves into the player's own folder, and the installed
# game plays that scene. Screenshots stay in the artefact folder.
# usage: e2e_editor.sh <program folder> <artefact folder>; exit 0 passed, 1 failed
set -u
dist=$(cd "$1" && pwd)
artefacts=$2
source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import convert
e2e_under_xvfb 1024x768 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
e2e_fresh_home "$work"
export HOME=$work XDG_DATA_HOME=$work/data SDL_AUDIODRIVER=dummy
tree=${MT_INSTALLED_TREE:-}
if [ -n "$tree" ]; then
  kelv=$tree/games/kelv scenetool=$tree/games/scenetool scene=$XDG_DATA_HOME/munchtrail/Scenes/Untitled.qsn
else
  mkdir -p "$work/prog/Scenes" && cp -r "$dist/KELV" "$dist/DAT" "$work/prog/"
  kelv=$work/prog/KELV scenetool=$dist/scenetool scene=$work/prog/Scenes/Untitled.qsn
fi

step "KELV starts under its title"
"$kelv" >"$artefacts/kelv.txt" 2>&1 &
pid=$!
win=$(timeout 15 xdotool search --sync --name '^Untitled - Munch Trail Scene Editor$' | head -n 1)
[ -n "$win" ] || { echo "FAILED: no window titled 'Untitled - Munch Trail Scene Editor'"; exit 1; }
xdotool windowfocus --sync "$win"
sleep 0.8
import -window root "$artefacts/1-started.png"
# Cells are 20 screen pixels; the view starts where the green frame round cell (0, 0) does.
eval "$(xdotool getwindowgeometry --shell "$win")"
top=$(convert "$artefacts/1-started.png" -crop "1x300+$((X + 1))+$Y" +repage txt:- | awk -F'[,:]' '/#00FF00/ {print $2; exit}')
at() { echo "$((X + 20 * $1 + 10)) $((Y + ${top:-60} + 20 * $2 + 10))"; }
drag() { xdotool mousemove $(at $1 $2) sleep 0.1 mousedown 1 sleep 0.1 mousemove $(at $3 $4) sleep 0.1 mouseup 1 sleep 0.3; }

click() { xdotool mousemove $(at $1 $2) sleep 0.1 click 1 sleep 0.3; }

step "paint with keys and mouse: a brushed line, a box, a start; Ctrl+S"
xdotool key --delay 150 1 b          # red bean, the brush
drag 5 10 25 10                      # one fast move: the brush joins the cells between
xdotool key --delay 150 6 alt+s a    # stones, the Scene menu's rectangle
drag 30 20 36 26
xdotool key --delay 150 f 8          # the start point, placed with the cursor keys and Enter
click 19 20
xdotool key Right Return ctrl+g
sleep 0.5
import -window root "$artefacts/2-painted.png"
xdotool key ctrl+s
sleep 1.2
xdotool key Return
sleep 1
import -window root "$artefacts/3-saved.png"
[ "$(xdotool getwindowname "$win")" = "Untitled.qsn - Munch Trail Scene Editor" ] || fail "the title after the save"
"$scenetool" show "$scene" >"$artefacts/show.txt" 2>&1 || fail "no scene that scenetool reads at $scene"
for line in '|.....rrrrrrrrrrrrrrrrrrrrr..............|' '|....................S.........#######...|' \
  '|..............................#.....#...|' '21 beans, 0 random beans, 24 stones'; do
  grep -qxF "$line" "$artefacts/show.txt" || fail "the saved scene lacks $line"
done
step "SIGTERM ends KELV"
kill $pid
wait $pid
[ $? -eq 143 ] || fail "KELV did not end as told by SIGTERM"
[ -z "$(ls -A "$XDG_STATE_HOME/kelv" 2>/dev/null)" ] || fail "the saved scene was saved aside"

if [ -n "$tree" ]; then
  step "the installed game plays that scene"
  "$tree/games/munchtrail" --play "$scene" >"$artefacts/game.txt" 2>&1 &
  timeout 15 xdotool search --sync --name "Munch Trail 2.01" >/dev/null || fail "the installed game did not start"
fi
e2e_verdict "$artefacts"
echo "passed; screenshots in $artefacts"
