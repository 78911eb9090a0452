#!/usr/bin/env bash
# End-to-end run of the real MunchTrail under a 1920 x 1080 virtual X server: a fresh program
# folder and a fresh settings folder; the logo shows (the screenshot is not black), Enter
# reaches the main menu, Alt+Enter switches to full screen (the picture placed on the real
# screen) and back, and Escape quits with exit code 0 and leaves the settings file with the
# window's size as the window manager left it.
# The picture in the window, the sound that reaches the device, SDL's key and window events, a
# second start, --play beside a running copy, the editor started and collected and the help
# page's address are checked without X, on SDL's dummy drivers (sdl_layer_test.cpp,
# sdl_audio_test.cpp, program_on_dummy.sh); the menus, the Controls screen, winning, the list's
# marks and watching a kept game by the headless games.
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
export SDL_AUDIODRIVER=dummy

fail() { echo "FAILED: $*"; exit 1; }
# Mean brightness 0..1 of an image.
brightness() { convert "$1" -colorspace Gray -format "%[fx:mean]" info:; }
window_id() { xdotool search --sync --name "^Munch Trail 2.01$" 2>/dev/null | head -1; }
geometry() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }
wait_exit() {  # pid, seconds
  for _ in $(seq 1 $((10 * $2))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
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
import -window "$win" "$artefacts/menu.png"
# 3. Alt+Enter: full screen, then back to the window. The 800 x 600 picture fills the screen's
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
xdotool windowfocus --sync "$win"

# 4. Escape quits with 0 and leaves the settings file.
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

echo "PASSED"
