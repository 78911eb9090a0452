#!/usr/bin/env bash
# End-to-end run of the real MunchTrail under a 1920 x 1080 virtual X server: a fresh program
# folder and a fresh settings folder; the logo shows (the screenshot is not black), Enter
# reaches the main menu, the editor item starts KELV and reaps it, Alt+Enter switches to full
# screen and back, a tiny scene (its exit next to the start) is won and the list then shows its
# gold star, its best score and R, R shows the game again and Backspace comes back to the list,
# --play runs a shipped scene beside the running copy and ends with 0 after Backspace, F1 opens
# Readme.htm, Escape quits with exit code 0 and leaves the settings file with the window's size
# and a key bound on the Controls screen (whose use in play the headless tests check).
# The picture in the window, the sound that reaches the device and a second start are checked
# without X, on SDL's dummy drivers (sdl_layer_test.cpp, sdl_audio_test.cpp, program_on_dummy.sh).
# Usage: e2e_game.sh DIST_DIR ARTEFACT_DIR. Fails when the X tools are missing.
set -uo pipefail
dist=$1
artefacts=$2
source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import convert compare
[ -x "$dist/MunchTrail" ] && [ -d "$dist/DAT" ] || { echo "FAILED: no program folder at $dist"; exit 1; }
e2e_under_xvfb 1920x1080 "$0" "$@"
mkdir -p "$artefacts"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/game"
e2e_fresh_home "$work"
cp -r "$dist/MunchTrail" "$dist/DAT" "$work/game/"
[ -f "$dist/Readme.htm" ] && cp "$dist/Readme.htm" "$work/game/"
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$1" >> "%s/opened.txt"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH SDL_AUDIODRIVER=dummy

fail() { echo "FAILED: $*"; exit 1; }
# Mean brightness 0..1 of an image.
brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
window_id() { xdotool search --sync --name "^Munch Trail 2.01$" 2>/dev/null | head -1; }
geometry() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }
wait_exit() {  # pid, seconds
  for _ in $(seq 1 $((10 * $2))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# The player's own folder holds a tiny scene that sorts first: one step right wins it.
export XDG_DATA_HOME=$work/data
mkdir -p "$XDG_DATA_HOME/munchtrail/Scenes"
{ printf 'title = Tiny\nbackground = Grass\nrandom fall = no\ninterval = 0\nobjective = Escape\ngoal score = 5\n'
  printf 'description = One step.\ngrid:\n'
  for row in $(seq 0 29); do [ "$row" -eq 15 ] && echo "....................SE.................." || echo "${dots:=........................................}"; done
} > "$work/tiny.txt"
"$dist/scenetool" build "$work/tiny.txt" "$XDG_DATA_HOME/munchtrail/Scenes/00-tiny.qsn" >/dev/null 2>&1 || fail "no tiny scene"
# 1. Start from the fresh folder: the logo fades in. OpenGL is asked for (a software rasteriser
#    here), so that full screen fills the screen sharply as it does with a graphics driver.
(cd / && SDL_RENDER_DRIVER=opengl MT_SHOW_RENDERER=1 "$work/game/MunchTrail" 2> "$work/stderr.txt") &
game=$!
win=$(timeout 10 bash -c "$(declare -f window_id); window_id") || fail "no window appeared"
[ -n "$win" ] || fail "no window appeared"
sleep 2.5
import -window root "$artefacts/logo.png"
logo_light=$(brightness "$artefacts/logo.png")
echo "logo screenshot brightness: $logo_light"
awk "BEGIN { exit !($logo_light > 0.02) }" || fail "the logo screenshot is black"

# 2. Enter skips the logo; the main menu fades in.
xdotool key Return
sleep 0.5
xdotool key Return
sleep 4  # a busy machine draws the fade-in late
import -window "$win" "$artefacts/menu.png"  # the editor item below only works from the menu
# 3. The editor item starts KELV from the program's folder (a stand-in here) and the game
#    collects it when it ends: no zombie stays behind.
printf '#!/bin/sh\ntouch "$PWD/kelv_started"\n' > "$work/game/KELV"
chmod +x "$work/game/KELV"
xdotool key Down; sleep 0.2; xdotool key Down; sleep 0.2; xdotool key Return
sleep 1.5
[ -f "$work/game/kelv_started" ] || fail "the editor was not started in the program's folder"
# Processes come and go while we look, so each stat file is read on its own and a vanished one
# is skipped; the command name may hold spaces, so the fields are taken after its ")".
zombies=0
for stat in /proc/[0-9]*/stat; do
  line=$(cat "$stat" 2>/dev/null) || continue
  set -- ${line##*) }
  [ "${2:-}" = "$game" ] && [ "${1:-}" = "Z" ] && zombies=$((zombies + 1))
done
[ "$zombies" -eq 0 ] || fail "$zombies editor process(es) left as zombies"
xdotool key Up; sleep 0.2; xdotool key Up; sleep 0.5

# 4. Alt+Enter: full screen, then back to the window. The 800 x 600 picture fills the screen's
#    height, 1440 x 1080 centred (SDL's software renderer, where OpenGL is missing: once, centred).
alt_enter() { xdotool keydown alt; xdotool key Return; xdotool keyup alt; }  # Enter released under Alt
alt_enter
sleep 1.5
import -window root "$artefacts/fullscreen.png"
[ "$(geometry "$win")" = "1920x1080" ] || fail "full screen window is $(geometry "$win")"
read -r pw ph px py <<< "$(convert "$artefacts/fullscreen.png" -trim -format "%w %h %X %Y" info: | tr -d +)"
renderer=$(grep -o "renderer .*" "$work/stderr.txt" | tail -1)
echo "full screen picture ${pw}x${ph} at $px,$py ($renderer)"
if [ "$renderer" = "renderer opengl" ]; then want="1440 1080 240 0"; else want="800 600 560 240"; fi
read -r ww wh wx wy <<< "$want"
for d in $((pw - ww)) $((ph - wh)) $((px - wx)) $((py - wy)); do
  [ "${d#-}" -le 8 ] || fail "full screen picture ${pw}x${ph} at $px,$py, not ${ww}x${wh} at $wx,$wy"
done
alt_enter
sleep 1.5
[ "$(geometry "$win")" = "800x600" ] || fail "back in the window it is $(geometry "$win")"
import -window "$win" "$artefacts/menu_again.png"
xdotool windowsize "$win" 1200 900  # the size stored at exit
sleep 1

# 5. Win the tiny scene, come back to the list: its star beside the name and in the details
#    (at three times the size: the row at y 45, the progress line at y 125), its best score
#    and R; R shows the game again (the grass pond), Backspace returns to the list.
hold() { xdotool keydown "$1"; sleep 0.1; xdotool keyup "$1"; sleep "$2"; }
# Pixels of a colour (within 12%) in a part of a shot: WxH+X+Y.
pixels() { convert "$1" -crop "$2" -fuzz 12% -fill black +opaque "$3" -fill white -opaque "$3" \
  -format "%[fx:round(mean*w*h)]" info:; }
# The star beside the first name, the star of the progress line, R: WATCH: "0 0 0" before a win.
marks() { echo "$(pixels "$1" 450x30+90+130 '#FFC43A') $(pixels "$1" 620x30+579+372 '#FFC43A') $(pixels "$1" 170x30+1026+372 '#0000FF')"; }
# Each fade is 33 frames, 1.65 s at 20 frames a second; the pauses leave room for a busy machine,
# Right is held until the game has surely begun, and a second Space leaves the end picture
# whether the first ended its fade-in or already left it.
hold Return 5; import -window "$win" "$artefacts/list_before.png"
hold Return 0.5; xdotool keydown Right; sleep 6; xdotool keyup Right; import -window "$win" "$artefacts/end_picture.png"
hold space 0.3; hold space 5; hold Return 5; import -window "$win" "$artefacts/list_won.png"
echo "list marks before: $(marks "$artefacts/list_before.png"), after the win: $(marks "$artefacts/list_won.png")"
[ "$(marks "$artefacts/list_before.png")" = "0 0 0" ] || fail "marks before any game"
read -r row details watch <<< "$(marks "$artefacts/list_won.png")"
[ "$row" -gt 20 ] && [ "$details" -gt 20 ] && [ "$watch" -gt 20 ] || fail "no star, best or R after the win"
grep -q " 0 1 1 .*\.mtreplay 00-tiny\.qsn$" "$XDG_DATA_HOME/munchtrail/progress" || fail "the progress file lacks the win"
hold r 3; import -window "$win" "$artefacts/watch.png"
[ "$(convert "$artefacts/watch.png" -format "%[fx:mean.g > mean.r && mean.g > mean.b]" info:)" = 1 ] ||
  fail "R did not show the game on the grass pond"
hold BackSpace 4; import -window "$win" "$artefacts/list_back.png"
[ "$(marks "$artefacts/list_back.png")" = "$row $details $watch" ] || fail "Backspace did not come back to the list"
hold BackSpace 4  # the main menu again, for the steps below

# 6. --play, started from another folder beside the running copy, ends with 0 after Backspace.
(cd "$dist" && "$work/game/MunchTrail" --play Scenes/01-first-steps.qsn) &
player=$!
sleep 3
import -window root "$artefacts/play.png"
xdotool windowfocus --sync "$(xdotool search --name "^Munch Trail 2.01$" | grep -vx "$win" | head -1)"
xdotool keydown BackSpace; sleep 0.1; xdotool keyup BackSpace
wait_exit $player 8 || fail "--play did not end after Backspace"
wait $player || fail "--play ended with $?"
xdotool windowfocus --sync "$win"

# 7. The Controls screen (Options, then Controls): D bound to Right, shown in its row; Escape
#    goes back to the options, which open on Controls; Back below it leads to the menu.
xdotool key Down; sleep 0.3; xdotool key Return; sleep 4
xdotool key Up; sleep 0.3; xdotool key Return; sleep 4
for _ in 1 2 3; do xdotool key Down; sleep 0.3; done
xdotool key Return; sleep 0.5; xdotool key d; sleep 0.5
import -window "$win" "$artefacts/controls.png"
xdotool key Escape; sleep 4; xdotool key Down; sleep 0.3; xdotool key Return; sleep 4

# 8. F1 opens the help page with the desktop's viewer (a stand-in xdg-open here).
xdotool key F1
sleep 1.5
grep -qx "file://$work/game/Readme.htm" "$work/opened.txt" 2>/dev/null || fail "F1 did not open Readme.htm"

# 9. Escape quits with 0 and leaves the settings file, the binding in it.
xdotool key Escape
wait_exit $game 5 || fail "Escape did not end the game"
wait $game
code=$?
[ "$code" -eq 0 ] || fail "exit code $code"
ini=$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini
[ -f "$ini" ] || fail "no settings file"
cat "$ini"
grep -qx "WindowedMode=dword:1" "$ini" || fail "WindowedMode not stored as 1"
grep -qx "WindowSize=sz:1200x900" "$ini" || fail "the window's size not stored"
grep -qx "Version=sz:2.01" "$ini" || fail "Version not stored"
grep -qx "KeyRight=dword:32" "$ini" || fail "D not stored as the Right key"

echo "PASSED"
