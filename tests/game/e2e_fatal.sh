#!/usr/bin/env bash
# The real program without an X server: --help and --version answer without a window, and a
# program folder missing one worm picture (or everything) ends with its one error message on
# standard error and exit code 0, without hanging. SDL's dummy video driver stands in for the
# screen; DISPLAY is unset so no message box can wait for a click.
# Usage: e2e_fatal.sh DIST_DIR
set -uo pipefail
dist=$1
[ -x "$dist/MunchTrail" ] && [ -d "$dist/DAT" ] || { echo "FAILED: no program folder at $dist"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$work/runtime" && chmod 700 "$work/runtime"
fail() { echo "FAILED: $*"; exit 1; }

out=$("$dist/MunchTrail" --version) || fail "--version failed"
[ "$out" = "MunchTrail 2.01" ] || fail "--version said '$out'"
"$dist/MunchTrail" --help | grep -q "Usage: MunchTrail" || fail "--help gave no usage"

# One worm picture missing: the images fail once.
mkdir -p "$work/broken"
cp -r "$dist/MunchTrail" "$dist/DAT" "$work/broken/"
rm "$work/broken/DAT/wormb3.bmp"
timeout 20 "$work/broken/MunchTrail" 2> "$work/stderr.txt"
code=$?
cat "$work/stderr.txt"
[ "$code" -eq 0 ] || fail "exit code $code"
[ "$(grep -c 'Failed to load images!' "$work/stderr.txt")" -eq 1 ] || fail "the message was not shown exactly once"
[ -f "$XDG_CONFIG_HOME/Quillfern/MunchTrail.ini" ] || fail "the settings were not stored"

# A missing texture names its file.
cp "$dist/DAT/wormb3.bmp" "$work/broken/DAT/"
rm "$work/broken/DAT/bright.txm"
timeout 20 "$work/broken/MunchTrail" 2> "$work/stderr.txt"
grep -qx "MunchTrail: Failed to load texture file: bright.txm!" "$work/stderr.txt" || fail "no texture message"
echo "PASSED"
