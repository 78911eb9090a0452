#!/usr/bin/env bash
# The game on a 1920 x 1080 virtual screen: the first start opens an 800 x 600 window; resized
# to 800 x 600 and 1200 x 900 the frame shows in exact 2 x 2 and 3 x 3 pixel blocks; full
# screen shows the 800 x 600 picture once, centred, with even black lines; the size
# comes back at the next start; --play runs a shipped scene beside a running copy and ends
# with 0 after Backspace; an unreadable scene ends with 1 and a message.
# Usage: e2e_desktop.sh DIST_DIR ARTEFACT_DIR. Exit 77 (skipped) when the X tools are missing.
set -uo pipefail
dist=$(cd "$1" && pwd)
artefacts=$2
source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import convert compare
[ -x "$dist/MunchTrail" ] && [ -d "$dist/Scenes" ] || { echo "skipped: no program folder at $dist"; exit 77; }
e2e_under_xvfb 1920x1080 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
e2e_fresh_home "$work"
export SDL_AUDIODRIVER=dummy
ini=$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini

window_id() { xdotool search --sync --name "^Munch Trail 2.01$" 2>/dev/null | head -1; }
geometry() { xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}'; }
wait_exit() {  # pid seconds
  for _ in $(seq 1 $((10 * $2))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}
# Pixels that differ from the picture sampled down by FACTOR and blown up again: 0 when the
# shot is made of exact FACTOR x FACTOR blocks.
block_errors() {  # shot factor
  local size; size=$(identify -format "%wx%h" "$1")
  convert "$1" -sample "$((${size%x*} / $2))x$((${size#*x} / $2))!" -sample "$size!" "$1.blocks.png"
  compare -metric AE "$1" "$1.blocks.png" null: 2>&1 | cut -d' ' -f1
}

step "first start: 800 x 600, centred"
"$dist/MunchTrail" &
game=$!
win=$(timeout 10 bash -c "$(declare -f window_id); window_id")
[ -n "$win" ] || fail "no window appeared"
sleep 2
[ "$(geometry "$win")" = "800x600" ] || fail "first window is $(geometry "$win"), not 800x600"
xdotool key Return; sleep 0.3; xdotool key Return; sleep 2.5  # the main menu
xdotool windowmove "$win" 0 0  # room for 1200 x 900
for size in 800x600 1200x900; do
  step "resized to $size"
  xdotool windowsize "$win" ${size%x*} ${size#*x}
  sleep 1.5
  import -window "$win" "$artefacts/window_$size.png"
  factor=$(( ${size%x*} / 400 ))
  errors=$(block_errors "$artefacts/window_$size.png" "$factor")
  echo "$size: $errors pixels off the ${factor}x${factor} blocks"
  [ "$errors" = "0" ] || fail "the $size window is not in exact ${factor}x blocks"
  light=$(convert "$artefacts/window_$size.png" -colorspace Gray -format "%[fx:mean]" info:)
  awk "BEGIN { exit !($light > 0.05) }" || fail "the $size window is dark"
done

step "full screen: the 800 x 600 picture once, centred, a black line under every row"
xdotool keydown alt; xdotool key Return; xdotool keyup alt
sleep 1.5
import -window root "$artefacts/fullscreen.png"
# One column through the middle: lit pixels on the picture's even rows only, none elsewhere.
lit=$(convert "$artefacts/fullscreen.png" -crop 1x1080+960+0 -colorspace Gray -depth 8 txt:- |
  awk -F'[:,()]' 'NR > 1 && $5 > 0 { if ($2 >= 240 && $2 < 840 && $2 % 2 == 0) even++; else other++ }
                  END { print even + 0, other + 0 }')
echo "full screen column: lit on even rows / elsewhere: $lit"
[ "${lit#* }" = "0" ] && [ "${lit% *}" -gt 200 ] || fail "full screen is not the 800 x 600 picture once, centred"
xdotool keydown alt; xdotool key Return; xdotool keyup alt
sleep 1.5

step "--play beside the running copy, Backspace ends it with 0"
(cd "$dist" && ./MunchTrail --play Scenes/01-first-steps.qsn) &
player=$!
sleep 3
import -window root "$artefacts/play.png"
kill -0 $player 2>/dev/null || fail "--play ended before Backspace"
play_win=$(xdotool search --name "^Munch Trail 2.01$" | grep -vx "$win" | head -1)
[ -n "$play_win" ] && xdotool windowfocus --sync "$play_win" 2>/dev/null
xdotool keydown BackSpace; sleep 0.1; xdotool keyup BackSpace
wait_exit $player 8 || fail "--play did not end after Backspace"
wait $player
code=$?
[ "$code" -eq 0 ] || fail "--play ended with $code"
kill -0 $game 2>/dev/null || fail "the first copy ended"

step "an unreadable scene: exit 1 and a message"
"$dist/MunchTrail" --play "$work/missing.qsn" 2> "$artefacts/missing.txt"
code=$?
[ "$code" -eq 1 ] || fail "a missing scene ended with $code"
grep -q "cannot read the scene file" "$artefacts/missing.txt" || fail "no message for a missing scene"

step "the window size comes back"
xdotool windowfocus --sync "$win" 2>/dev/null
xdotool key Escape
wait_exit $game 5 || fail "Escape did not end the game"
grep -qx "WindowSize=sz:1200x900" "$ini" || fail "window size not stored: $(cat "$ini")"
"$dist/MunchTrail" &
game=$!
win=$(timeout 10 bash -c "$(declare -f window_id); window_id")
sleep 1.5
[ "$(geometry "$win")" = "1200x900" ] || fail "the next start opened at $(geometry "$win")"
xdotool key Escape
wait_exit $game 5 || fail "the second run did not end"
e2e_verdict "$artefacts"
echo "PASSED"
