#!/usr/bin/env bash
# Processor use of the whole MunchTrail process while the main menu idles at 20 frames per
# second for 10 seconds under Xvfb on a 1920 x 1080 screen (goal: under 3 % of one core): in
# the first start's window (800 x 600, the frame at 2x), at 4x (1600 x 1200 does not fit: the
# window is made 1600 x 1050, the frame 3x) and full screen. Names the SDL renderer that ran.
# Usage: idle_cpu.sh DIST_DIR
set -euo pipefail
dist=$(cd "$1" && pwd)
if [ -z "${MT_IDLE_INNER:-}" ]; then
  export MT_IDLE_INNER=1
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$dist"
fi
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime" && chmod 700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
measure() {  # label
  local before after hz
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks "$game")
  sleep 10
  after=$(cpu_ticks "$game")
  awk -v l="$1" -v t=$((after - before)) -v hz="$hz" 'BEGIN { printf "%-28s %6.2f %% of one core\n", l, 100 * t / (10 * hz) }'
}

MT_SHOW_RENDERER=1 "$dist/MunchTrail" 2> "$work/stderr.txt" &
game=$!
win=$(xdotool search --sync --name "^Munch Trail 2.01$" | head -1)
sleep 1
xdotool key Return; sleep 0.3; xdotool key Return  # past the logo
sleep 3
head -1 "$work/stderr.txt"
measure "main menu, window 800x600"
xdotool windowsize "$win" 1600 1050
sleep 2
measure "main menu, window 1600x1050"
xdotool windowsize "$win" 800 600
sleep 1
xdotool keydown alt; xdotool key Return; xdotool keyup alt
sleep 2
measure "main menu, full screen"
xdotool key Escape
wait "$game"
