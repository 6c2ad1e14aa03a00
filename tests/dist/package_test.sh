#!/usr/bin/env bash
# Builds the Debian package and checks its control fields and file list: dependencies read off
# the programs (the Qt and C++ libraries), the programs, the desktop files and the help pages.
# usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" > "$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb="$(ls "$out"/ploven_*.deb)"
[ -f "$deb" ] || fail "no package"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = ploven ] || fail "Package: $(field Package)"
version="$(sed -n 's/^project(Ploven VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
depends="$(field Depends)"
for library in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "$library" <<< "$depends" || fail "Depends lacks $library: $depends"
done
[ -n "$(field Description)" ] && [ -n "$(field Maintainer)" ] || fail "Description or Maintainer"

files="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')"
for path in usr/bin/ploven usr/bin/plovenctl usr/bin/ploven-calendar usr/share/applications/org.ploven.Ploven.desktop \
            usr/share/metainfo/org.ploven.Ploven.metainfo.xml usr/share/mime/packages/ploven-schedule.xml \
            usr/share/icons/hicolor/scalable/apps/ploven.svg usr/share/man/man1/ploven.1 \
            usr/share/man/man1/plovenctl.1 usr/share/ploven/help/Done.htm; do
  grep -q -x -F "$path" <<< "$files" || fail "the package lacks $path"
done
# Stripped: the programs carry no debug sections.
dpkg-deb -x "$deb" "$out/tree"
if file "$out/tree/usr/bin/ploven" | grep -q "with debug_info"; then fail "ploven not stripped"; fi
echo "ok"
