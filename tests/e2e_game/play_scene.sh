#!/usr/bin/env bash
# A player's first game, end to end: the real MunchTrail, started from a fresh copy of the
# program folder with fresh settings, under a virtual X server, played with xdotool. Through
# the logo and the menu into the scene selection, into the first shipped scene, an arrow key
# sets the worm off, Space pauses and resumes, Backspace leaves to the menu, Escape quits with
# exit code 0, and the settings file then holds the high score; the game's replay verifies and
# shows in a window of its own. Every screenshot is kept in the
# artefact folder, so a failing run can be looked at afterwards.
#
# usage: play_scene.sh <program folder> <artefact folder>
# exit: 0 passed, 1 failed (also when xvfb-run or xdotool is missing)
set -u

dist=$(cd "$1" && pwd)
artefacts=$2

source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import compare convert
e2e_under_xvfb 800x600 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
game_pid=
cleanup() {
  if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then kill "$game_pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

# ---- a fresh program folder and fresh settings ----
mkdir -p "$work/game"
e2e_fresh_home "$work"
cp "$dist/MunchTrail" "$work/game/"
cp -r "$dist/DAT" "$dist/Scenes" "$work/game/"
[ -f "$dist/Readme.htm" ] && cp "$dist/Readme.htm" "$work/game/"
export SDL_AUDIODRIVER=dummy
settings="$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini"

first_scene=$(cd "$work/game/Scenes" && ls -1 | LC_ALL=C sort | head -n 1)
if [ -z "$first_scene" ]; then
  echo "FAILED: no shipped scene in $dist/Scenes"
  exit 1
fi
step "program folder ready; the selection opens on $first_scene"

"$work/game/MunchTrail" >"$artefacts/stdout.txt" 2>"$artefacts/stderr.txt" &
game_pid=$!

win=$(timeout 15 xdotool search --sync --name "Munch Trail 2.01" 2>/dev/null | head -n 1)
if [ -z "$win" ]; then
  echo "FAILED: the game window did not appear"
  exit 1
fi
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
sleep 0.5

# Screenshots of the game window only; n.png in the artefact folder.
shot() { import -window "$win" "$artefacts/$1.png"; }
# Pixels in which two screenshots differ.
differing() {
  compare -metric AE "$artefacts/$1.png" "$artefacts/$2.png" null: 2>&1 | cut -d' ' -f1
}
# A tap reaches the key queue; a press held over a few frames is also seen as held.
tap() { xdotool key --delay 80 "$1"; sleep 0.5; }
hold_briefly() {
  xdotool keydown "$1"
  sleep 0.25
  xdotool keyup "$1"
  sleep 0.3
}

# ---- logo, menu, scene selection ----
step "logo"
shot 01-logo
tap Return   # the fade-in ends at once
tap Return   # the logo is left
tap Return   # and its fade-out cut short
step "main menu"
sleep 0.3
shot 02-menu
tap Return   # the menu's fade-in ends
tap Return   # play
tap Return   # fade-out cut short
step "scene selection"
sleep 0.3
tap Return   # fade-in ends
shot 03-selection
tap Return   # start the first scene
sleep 2.6    # the fade-out into the game
shot 04-waiting

# ---- play ----
step "an arrow key sets the worm off"
# The first scene starts the worm in the middle of the pond above a row of red beans: down to
# that row, then along it, for a picture of a game in progress.
hold_briefly Down
sleep 0.35
hold_briefly Left
shot 05-moving
sleep 0.3
shot 06-moving
moved=$(differing 05-moving 06-moving)
[ "${moved:-0}" -gt 0 ] 2>/dev/null || fail "the playfield did not change while the worm moved ($moved)"
shot 07-in-progress

step "Space pauses"
hold_briefly space
sleep 0.8
shot 08-paused
sleep 0.6
shot 09-paused
still=$(differing 08-paused 09-paused)
[ "${still:-1}" = "0" ] || fail "the game moved while paused ($still pixels)"
# "GAME PAUSED" is white at (167, 150) of the 400 x 300 frame (nearly white once the display's
# after-glow has settled); the window may be scaled.
read -r width height < <(convert "$artefacts/08-paused.png" -format "%w %h" info:)
sx=$((167 * width / 400)); sy=$((150 * height / 300))
sw=$((66 * width / 400)); sh=$((8 * height / 300))
white=$(convert "$artefacts/08-paused.png" -crop "${sw}x${sh}+${sx}+${sy}" +repage \
  -fuzz 4% -fill black +opaque white -fill white -opaque white -format "%[fx:int(mean*w*h+0.5)]" info:)
[ "${white:-0}" -gt $((sw * sh / 8)) ] 2>/dev/null || fail "no GAME PAUSED text ($white white pixels)"

step "Space resumes"
hold_briefly space
sleep 0.6
shot 10-resumed
resumed=$(differing 09-paused 10-resumed)
[ "${resumed:-0}" -gt 0 ] 2>/dev/null || fail "the game did not resume"

step "Backspace leaves to the menu"
hold_briefly BackSpace
sleep 2.5
shot 11-menu-again
back=$(differing 02-menu 11-menu-again)
echo "menu after the game differs from the first menu in $back pixels"

step "Escape quits"
xdotool key Escape
status=0
for _ in $(seq 1 50); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$game_pid" 2>/dev/null; then
  fail "the game did not quit on Escape"
else
  wait "$game_pid"
  status=$?
  game_pid=
  [ "$status" = "0" ] || fail "exit code $status"
fi

step "settings"
if [ -f "$settings" ]; then
  cp "$settings" "$artefacts/MunchTrail.ini.txt"
  grep -q '^HiScore=dword:[0-9][0-9]*$' "$settings" || fail "no HiScore in the settings file"
  echo "stored: $(grep '^HiScore=' "$settings")"
else
  fail "no settings file at $settings"
fi

step "the game was recorded: its replay verifies (named relative to the start folder) and shows"
replay=$(cd "$XDG_STATE_HOME/munchtrail/replays" 2>/dev/null && ls -1 ./*.mtreplay | head -n 1)
verdict=$(cd "$XDG_STATE_HOME/munchtrail/replays" && "$work/game/MunchTrail" --verify-replay "$replay" 2>&1)
echo "$verdict"
[[ $verdict == "ok: "* ]] || fail "the recorded game does not verify"
"$work/game/MunchTrail" --replay "$XDG_STATE_HOME/munchtrail/replays/$replay" &
game_pid=$!
win=$(timeout 10 xdotool search --sync --name "Munch Trail 2.01" 2>/dev/null | head -n 1)
sleep 1.5
[ -n "$win" ] && shot 12-replay && xdotool key BackSpace
for _ in $(seq 1 50); do kill -0 "$game_pid" 2>/dev/null && sleep 0.1; done
wait "$game_pid" || fail "the replay window did not leave with status 0 on Backspace"
game_pid=

e2e_verdict "$artefacts"
cp "$artefacts/07-in-progress.png" "$artefacts/screenshot.png"
echo "passed; screenshots in $artefacts (screenshot.png: the README picture)"
