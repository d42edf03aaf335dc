#!/usr/bin/env bash
# Installs the built program into a staging folder and checks the layout a
# desktop needs: program, chart component, printing module, sounds,
# machine-wide registration, desktop entry, AppStream metadata, document type
# and icons, each passing its validator.
# Usage: tools/check-install.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" >/dev/null
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
root="$stage$prefix"
app=com.holmvard.JhavariTraining
failures=0
expect() {
  if [ ! -e "$1" ]; then
    echo "missing: ${1#"$stage"}" >&2
    failures=$((failures + 1))
  fi
}

expect "$root/bin/jhavari-training"
expect "$root/$libdir/jhavari-training/NTGraph.ocx"
expect "$root/$libdir/jhavari-training/jhavari-printing.so"
for sound in BeginIntervall EndIntervall EndIntervallUddhacca UddhaccaAlarm EndExercise; do
  expect "$root/share/jhavari-training/$sound.wav"
done
if [ "$prefix" = /usr ]; then sysconf=/etc; else sysconf=$prefix/etc; fi
profile="$stage$sysconf/xdg/Holmvard Limited/Jhavari-Training.conf"
expect "$profile"
grep -qF "InprocServer32=$prefix/$libdir/jhavari-training/NTGraph.ocx" "$profile" ||
  { echo "the machine-wide profile does not name the installed component" >&2; failures=$((failures + 1)); }
for size in 16 32 48 256; do
  expect "$root/share/icons/hicolor/${size}x$size/apps/$app.png"
done
expect "$root/share/icons/hicolor/scalable/apps/$app.svg"
expect "$root/share/applications/$app.desktop"
expect "$root/share/metainfo/$app.metainfo.xml"
expect "$root/share/mime/packages/jhavari-training.xml"
[ "$failures" -eq 0 ] || exit 1

"$root/bin/jhavari-training" --version | grep -qx "Jhavari-Training 1.2.01"
desktop-file-validate "$root/share/applications/$app.desktop"
grep -qx "MimeType=application/x-jhavari-document;" "$root/share/applications/$app.desktop"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/$app.metainfo.xml"

# The document type: the database built from the staged package knows the
# glob and the magic bytes, and the build itself warns about nothing.
messages=$(XDG_DATA_DIRS="$root/share" update-mime-database "$root/share/mime" 2>&1)
if [ -n "$messages" ]; then
  echo "update-mime-database: $messages" >&2
  exit 1
fi
grep -q "application/x-jhavari-document:\*\.con" "$root/share/mime/globs2"
grep -aq "application/x-jhavari-document" "$root/share/mime/magic"
echo "install layout and validators: passed"
