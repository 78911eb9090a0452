#!/usr/bin/env bash
# An installation as a distribution makes it: cmake --install into a temporary DESTDIR holds
# every expected file; the launchers, software-centre entries, scene type and manual pages
# pass their validators; and the installed programs run from that tree with a fresh home (the
# editor's end-to-end script in its installed mode: KELV saves into the player's folder and the
# installed game plays that scene).
# usage: install_check.sh <build folder> <desktop source folder> <artefact folder>
set -u
build=$1
desktop=$2
artefacts=$3
source "$(dirname "$0")/../e2e_lib.sh"
e2e_require desktop-file-validate appstreamcli man xmllint update-mime-database
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
usr=$work/root/usr

step "cmake --install into a DESTDIR"
if ! DESTDIR=$work/root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  fail "cmake --install"
fi
expected="games/munchtrail games/kelv games/scenetool share/munchtrail/Readme.htm
  share/munchtrail/DAT/logo.bmp share/munchtrail/DAT/env14.wav share/munchtrail/icons/save.png
  share/munchtrail/Scenes/01-first-steps.qsn share/applications/example.quillfern.MunchTrail.desktop
  share/applications/example.quillfern.KELV.desktop share/metainfo/example.quillfern.MunchTrail.metainfo.xml
  share/metainfo/example.quillfern.KELV.metainfo.xml share/mime/packages/munchtrail-scene.xml
  share/mime/packages/munchtrail-replay.xml
  share/icons/hicolor/48x48/apps/munchtrail.png share/icons/hicolor/scalable/apps/kelv.svg
  share/icons/hicolor/256x256/mimetypes/qsn-document.png share/man/man6/munchtrail.6.gz
  share/man/man6/kelv.6.gz share/man/man1/scenetool.1.gz share/doc/munchtrail/copyright"
for file in $expected; do [ -e "$usr/$file" ] || fail "not installed: $file"; done
[ "$(ls "$usr/share/munchtrail/Scenes")" = "$(cd "$build/dist/Scenes" && ls [0-9]*.qsn)" ] ||
  fail "the shipped scenes are not exactly the built ones"

step "validators"
for launcher in "$usr"/share/applications/*.desktop; do
  desktop-file-validate "$launcher" || fail "desktop-file-validate $launcher"
done
grep -qx 'Exec=kelv %f' "$usr/share/applications/example.quillfern.KELV.desktop" || fail "KELV's launcher passes no file"
grep -qx 'MimeType=application/x-munchtrail-scene;' "$usr/share/applications/example.quillfern.KELV.desktop" ||
  fail "KELV's launcher does not claim the scene type"
for entry in "$usr"/share/metainfo/*.xml; do
  report=$(appstreamcli validate --no-net "$entry" 2>&1) || fail "appstreamcli refused $entry"
  echo "$report" | grep -E '^[EW]:' && fail "appstreamcli errors or warnings in $entry"
done
xmllint --noout "$usr/share/mime/packages/munchtrail-scene.xml" || fail "the MIME XML is not well formed"
update-mime-database "$usr/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the type"
grep -q '^[0-9]*:application/x-munchtrail-scene:\*\.qsn' "$usr/share/mime/globs2" || fail "*.qsn is not mapped"
grep -q ':application/x-munchtrail-replay:\*\.mtreplay' "$usr/share/mime/globs2" || fail "*.mtreplay is not mapped"
for page in "$desktop"/*.[16]; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns about $page: $warnings"
done

step "the installed programs"
MT_INSTALLED_TREE=$usr bash "$(dirname "$0")/../editor/e2e_editor.sh" "$build/dist" "$artefacts" ||
  fail "the installed programs"
e2e_verdict "$artefacts"
echo "installation ok"
