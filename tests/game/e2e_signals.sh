#!/usr/bin/env bash
# Each signal that ends a program by default (HUP from a closed terminal, INT, QUIT, TERM) ends
# a game in play as closing its window does: the replay and the settings kept, exit status
# 128 + signal. SDL's dummy drivers stand in for the screen and the sound.
# Usage: e2e_signals.sh DIST_DIR
set -uo pipefail
dist=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
fail() { echo "FAILED: $*"; exit 1; }
for signal in HUP INT QUIT TERM; do
  export XDG_CONFIG_HOME=$work/$signal/config XDG_STATE_HOME=$work/$signal/state
  # A background job of a script starts with INT and QUIT ignored; the game must see them as a terminal's.
  env --default-signal=INT,QUIT "$dist/MunchTrail" --play "$dist/Scenes/01-first-steps.qsn" &
  game=$!
  sleep 2
  kill -s "$signal" $game
  wait $game
  code=$?
  [ "$code" -eq $((128 + $(kill -l "$signal"))) ] || fail "$signal: exit status $code"
  ls "$XDG_STATE_HOME"/munchtrail/replays/*.mtreplay >/dev/null 2>&1 || fail "$signal: no replay kept"
  grep -q "^HiScore=" "$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini" || fail "$signal: no settings kept"
done
echo "PASSED"
