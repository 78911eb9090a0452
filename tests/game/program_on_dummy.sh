#!/usr/bin/env bash
# The real MunchTrail with no X server, on SDL's dummy video driver and its disk audio driver
# (the sound device is a file): --help and --version answer; a program folder missing a worm
# picture ends with its one message on standard error (no message box can wait for a click),
# exit code 0 and the settings stored; a second start while a copy runs asks it forward and
# ends with 0. Each signal that ends a program by default (HUP from a closed terminal, INT,
# QUIT, TERM) ends a game in play (--play, beside the running copy) as closing its window does:
# the replay and the settings kept, exit status 128 + signal; the game's sounds reach the
# device, none while the settings say the sound is off (the QUIT game).
# Usage: program_on_dummy.sh DIST_DIR
set -uo pipefail
dist=$1
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/audio.raw XDG_RUNTIME_DIR=$work/runtime
export XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
fail() { echo "FAILED: $*"; exit 1; }

[ "$("$dist/MunchTrail" --version)" = "MunchTrail 2.01" ] || fail "--version"
"$dist/MunchTrail" --help | grep -q "Usage: MunchTrail" || fail "--help gave no usage"
mkdir -p "$work/broken"
cp -r "$dist/MunchTrail" "$dist/DAT" "$work/broken/"
rm "$work/broken/DAT/wormb3.bmp"
timeout 20 "$work/broken/MunchTrail" 2> "$work/stderr.txt"
code=$?
[ "$code" -eq 0 ] && [ "$(grep -c 'Failed to load images!' "$work/stderr.txt")" -eq 1 ] ||
  fail "a missing picture: exit code $code, said: $(cat "$work/stderr.txt")"
[ -f "$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini" ] || fail "a missing picture: the settings were not stored"
"$dist/MunchTrail" 2>/dev/null &
sleep 1
timeout 5 "$dist/MunchTrail" 2>/dev/null || fail "a second start ended with $?"
# The first copy stays running: the --play games below run beside it.

for signal in HUP INT QUIT TERM; do
  export XDG_CONFIG_HOME=$work/$signal/config XDG_STATE_HOME=$work/$signal/state SDL_DISKAUDIOFILE=$work/$signal.raw
  muted=$([ $signal = QUIT ] && echo 1 || echo 0)
  mkdir -p "$XDG_CONFIG_HOME/Quillfern" && echo "NoSound=dword:$muted" > "$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini"
  # A background job of a script starts with INT and QUIT ignored; the game must see them as a terminal's.
  env --default-signal=INT,QUIT "$dist/MunchTrail" --play "$dist/Scenes/01-first-steps.qsn" 2>/dev/null &
  game=$!
  sleep 2
  kill -s "$signal" $game
  wait $game
  code=$?
  [ "$code" -eq $((128 + $(kill -l "$signal"))) ] || fail "$signal: exit status $code"
  ls "$XDG_STATE_HOME"/munchtrail/replays/*.mtreplay >/dev/null 2>&1 || fail "$signal: no replay kept"
  grep -q "^HiScore=" "$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini" || fail "$signal: no settings kept"
  heard=$(od -An -v -td2 -w2 "$SDL_DISKAUDIOFILE" | awk '$1 != 0' | wc -l)
  if [ "$muted" = 1 ]; then [ "$heard" -eq 0 ]; else [ "$heard" -gt 1000 ]; fi ||
    fail "$signal: $heard sound samples with NoSound=$muted"
done
kill %1
echo "PASSED"
