#!/usr/bin/env bash
# The desktop files are ready to install: each launcher names its program, KELV's launcher
# claims the scene file type, and that type (read back through update-mime-database where it
# is installed) matches *.qsn under the name "Munch Trail Scene Document".
# usage: desktop_files.sh <editor/desktop folder>
set -u
dir=$1
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
value() { sed -n "s/^$2=//p" "$dir/$1"; }

[ "$(value kelv.desktop Exec)" = "KELV %f" ] || fail "kelv.desktop does not start KELV with a file"
[ "$(value munchtrail.desktop Exec)" = "MunchTrail" ] || fail "munchtrail.desktop does not start MunchTrail"
for launcher in kelv.desktop munchtrail.desktop; do
  head -n 1 "$dir/$launcher" | grep -qx '\[Desktop Entry\]' || fail "$launcher: no [Desktop Entry] first"
  [ "$(value "$launcher" Type)" = "Application" ] || fail "$launcher: not an application"
  [ -n "$(value "$launcher" Name)" ] || fail "$launcher: no name"
  if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$dir/$launcher" || fail "$launcher: desktop-file-validate"
  fi
done

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$dir/munchtrail-scene.xml")
[ "$type" = "application/x-munchtrail-scene" ] || fail "unexpected MIME type '$type'"
[ "$(value kelv.desktop MimeType)" = "$type;" ] || fail "kelv.desktop does not claim $type"
grep -q '<comment>Munch Trail Scene Document</comment>' "$dir/munchtrail-scene.xml" || fail "no type comment"
grep -q '<glob pattern="\*.qsn"/>' "$dir/munchtrail-scene.xml" || fail "no *.qsn glob"
if command -v xmllint >/dev/null 2>&1; then
  xmllint --noout "$dir/munchtrail-scene.xml" || fail "the MIME XML is not well formed"
fi
if command -v update-mime-database >/dev/null 2>&1; then
  work=$(mktemp -d)
  mkdir -p "$work/packages"
  cp "$dir/munchtrail-scene.xml" "$work/packages/"
  update-mime-database "$work" >/dev/null 2>&1 || fail "update-mime-database refused the type"
  grep -q "^[0-9]*:$type:\*\.qsn" "$work/globs2" || fail "the installed database does not map *.qsn to $type"
  rm -rf "$work"
fi

[ "$failures" -eq 0 ] && echo "desktop files ok"
exit $((failures > 0))
