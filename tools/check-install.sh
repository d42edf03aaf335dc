#!/usr/bin/env bash
# Installs the built program twice, as a user does with another prefix
# (cmake --install --prefix) and as the package does (DESTDIR, prefix /usr),
# and checks that every file lands below the staging folder and that the
# layout is what a desktop needs: program, chart component, printing module,
# sounds, machine-wide registration naming the component where it was put,
# desktop entry, AppStream metadata, document type and icons, each passing its
# validator.
# Usage: tools/check-install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

configured_prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
app=com.holmvard.JhavariTraining
failures=0
fail() {
  echo "$1" >&2
  failures=$((failures + 1))
}
expect() {
  [ -e "$1" ] || fail "missing: $1"
}

# install_into STAGE DESTDIR ARGUMENTS...: installs with DESTDIR (empty for
# none) and the arguments. Every file the install names lies below STAGE once
# DESTDIR is put before it, and none was written where DESTDIR is left out.
install_into() {
  local stage=$1 destdir=$2 file
  shift 2
  DESTDIR=$destdir cmake --install "$build" "$@" >/dev/null
  while IFS= read -r file || [ -n "$file" ]; do
    case $destdir$file in
      "$stage"/*) expect "$destdir$file" ;;
      *) fail "installed outside $stage: $destdir$file" ;;
    esac
    if [ -n "$destdir" ] && [ -n "$(find "$file" -maxdepth 0 -cnewer "$work/before" 2>/dev/null)" ]; then
      fail "installed without DESTDIR: $file"
    fi
  done <"$build/install_manifest.txt"
}

# check_layout ROOT SYSCONFDIR COMPONENT: the files below the prefix's folder
# ROOT, the machine-wide profile below SYSCONFDIR and the path of the
# component the profile must name.
check_layout() {
  local root=$1 sysconfdir=$2 component=$3 size sound
  expect "$root/bin/jhavari-training"
  expect "$root/$libdir/jhavari-training/NTGraph.ocx"
  expect "$root/$libdir/jhavari-training/jhavari-printing.so"
  for sound in BeginIntervall EndIntervall EndIntervallUddhacca UddhaccaAlarm EndExercise; do
    expect "$root/share/jhavari-training/$sound.wav"
  done
  local profile="$sysconfdir/xdg/Holmvard Limited/Jhavari-Training.conf"
  expect "$profile"
  grep -qxF "%7BC9FE01C2-2746-479B-96AB-E0BE9931B018%7D\\InprocServer32=$component" "$profile" 2>/dev/null ||
    fail "the machine-wide profile does not name the installed component $component"
  for size in 16 32 48 256; do
    expect "$root/share/icons/hicolor/${size}x$size/apps/$app.png"
  done
  expect "$root/share/icons/hicolor/scalable/apps/$app.svg"
  expect "$root/share/applications/$app.desktop"
  expect "$root/share/metainfo/$app.metainfo.xml"
  expect "$root/share/mime/packages/jhavari-training.xml"
}

touch "$work/before"
# A prefix given at install time, not the configured one: everything goes below it.
root="$work/stage/opt/jhavari"
install_into "$work/stage" "" --prefix "$root"
check_layout "$root" "$root/etc" "$root/$libdir/jhavari-training/NTGraph.ocx"
# The package: the profile in /etc/xdg, where Qt reads it, naming the component in /usr.
install_into "$work/package" "$work/package" --prefix /usr
check_layout "$work/package/usr" "$work/package/etc" "/usr/$libdir/jhavari-training/NTGraph.ocx"
# Nothing of the program was written where the configuration would have put it.
written=$(find "$configured_prefix" /etc/xdg -cnewer "$work/before" \( -ipath '*jhavari*' -o -ipath '*holmvard*' \) \
  -print 2>/dev/null || true)
[ -z "$written" ] || fail "installed outside the stage: $written"
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
