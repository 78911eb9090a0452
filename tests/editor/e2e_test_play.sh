#!/usr/bin/env bash
# Test play end to end: the real KELV opens a copy of a shipped scene whose name starts with a
# dash (after "--"), F5 starts the real game on a temporary copy, which is gone once the game has
# ended; told to end by SIGTERM, KELV ends so and saves nothing aside for an unmodified scene.
# usage: e2e_test_play.sh <program folder> <artefact folder>; exit 0 passed, 1 failed
set -u
dist=$(cd "$1" && pwd)
artefacts=$2
source "$(dirname "$0")/../e2e_lib.sh"
e2e_require xvfb-run xdotool import
e2e_under_xvfb 1024x768 "$0" "$@"
e2e_artefacts "$artefacts"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
e2e_fresh_home "$work"
export SDL_AUDIODRIVER=dummy
mkdir -p "$work/prog"
cp -r "$dist/KELV" "$dist/MunchTrail" "$dist/DAT" "$work/prog/"
first=$(cd "$dist/Scenes" && ls | LC_ALL=C sort | head -n 1)
cp "$dist/Scenes/$first" "$work/-$first"

step "KELV -- -$first, then F5"
(cd "$work" && exec "$work/prog/KELV" -- "-$first") >"$artefacts/kelv.txt" 2>&1 &
kelv=$!
win=$(timeout 15 xdotool search --sync --name "^-$first - Munch Trail Scene Editor\$" | head -n 1)
[ -n "$win" ] || { echo "FAILED: no editor window titled after -$first"; exit 1; }
xdotool windowfocus --sync "$win"
sleep 0.5
xdotool key F5
game=$(timeout 15 xdotool search --sync --name "Munch Trail 2.01" | head -n 1)
[ -n "$game" ] || fail "the game window did not appear"
sleep 1
import -window root "$artefacts/playing.png"
ls "$XDG_RUNTIME_DIR"/kelv-test-play-*/*.qsn >/dev/null 2>&1 || fail "no temporary copy while the game runs"

step "the game ends, the copy goes; SIGTERM ends KELV"
kill "$(xdotool getwindowpid "$game")"
sleep 1
ls "$XDG_RUNTIME_DIR"/kelv-test-play-* >/dev/null 2>&1 && fail "the temporary copy stayed after the game"
kill $kelv
wait $kelv
[ $? -eq 143 ] || fail "KELV did not end as told by SIGTERM"
[ -z "$(ls -A "$XDG_STATE_HOME/kelv" 2>/dev/null)" ] || fail "an unmodified scene was saved aside"
e2e_verdict "$artefacts"
echo "passed; screenshots in $artefacts"
