#!/usr/bin/env bash
# Test play end to end: the real KELV opens a copy of a shipped scene whose name starts with a
# dash (after "--"), F5 starts the real game on a temporary copy, the game's window appears,
# the editor stays usable (its properties dialog opens, under its own title) with its title
# and file untouched, and the temporary copy is gone once the game has ended.
#
# usage: e2e_test_play.sh <program folder> <artefact folder>
# exit: 0 passed, 1 failed
set -u

dist=$(cd "$1" && pwd)
artefacts=$2

source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import
e2e_under_xvfb 1024x768 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
kelv_pid=
cleanup() {
  if [ -n "$kelv_pid" ] && kill -0 "$kelv_pid" 2>/dev/null; then kill "$kelv_pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/prog"
e2e_fresh_home "$work"
export XDG_STATE_HOME="$work/state" SDL_AUDIODRIVER=dummy
cp -r "$dist/KELV" "$dist/MunchTrail" "$dist/DAT" "$dist/Scenes" "$work/prog/"
first=$(cd "$work/prog/Scenes" && ls -1 | LC_ALL=C sort | head -n 1)
scene="$work/-$first"
cp "$work/prog/Scenes/$first" "$scene"
title="-$first - Munch Trail Scene Editor"

step "KELV -- -$first"
(cd "$work" && exec "$work/prog/KELV" -- "-$first") >"$artefacts/kelv.txt" 2>&1 &
kelv_pid=$!
win=$(timeout 15 xdotool search --sync --name "^$title\$" 2>/dev/null | head -n 1)
if [ -z "$win" ]; then
  echo "FAILED: no editor window titled '$title'"
  exit 1
fi
step "F5 starts the game on a temporary copy"
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
sleep 0.5
xdotool key F5
game=$(timeout 15 xdotool search --sync --name "Munch Trail 2.01" 2>/dev/null | head -n 1)
[ -n "$game" ] || fail "the game window did not appear"
sleep 1
import -window root "$artefacts/01-playing.png"
copies=$(ls "$XDG_RUNTIME_DIR"/kelv-test-play-*/*.qsn 2>/dev/null)
[ -n "$copies" ] || fail "no temporary copy while the game runs"

step "the editor stays usable"
xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
xdotool key ctrl+p
sleep 0.8
# The whole title (_NET_WM_NAME, what a window manager shows), not only its Latin-1 WM_NAME.
dialog=$(xdotool search --name "^Set scene's properties" 2>/dev/null | head -n 1)
[ -n "$dialog" ] && [ "$(xdotool getwindowname "$dialog")" = "Set scene's properties" ] ||
  fail "the properties dialog did not open under its own title while the game runs"
import -window root "$artefacts/02-properties.png"
xdotool key Escape
sleep 0.3
[ "$(xdotool getwindowname "$win")" = "$title" ] || fail "the editor's title changed"
cmp -s "$scene" "$work/prog/Scenes/$first" || fail "the scene file changed"

step "the game ends; the copy goes"
[ -n "$game" ] && kill "$(xdotool getwindowpid "$game")" 2>/dev/null
for _ in $(seq 1 50); do
  ls "$XDG_RUNTIME_DIR"/kelv-test-play-* >/dev/null 2>&1 || break
  sleep 0.1
done
ls "$XDG_RUNTIME_DIR"/kelv-test-play-* >/dev/null 2>&1 && fail "the temporary copy stayed after the game"
kill "$kelv_pid"
wait "$kelv_pid"
[ $? -eq $((128 + 15)) ] || fail "KELV did not end as told by SIGTERM"
[ -z "$(ls -A "$XDG_STATE_HOME/kelv" 2>/dev/null)" ] || fail "an unmodified scene was saved aside"

e2e_verdict "$artefacts"
echo "passed; screenshots in $artefacts"
