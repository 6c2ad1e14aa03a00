#!/usr/bin/env bash
# Installs the build into a staging folder as a packager would, and checks what a desktop and
# a user find there: the files, the validators' verdicts, the manual against --help, completion,
# and the installed program starting offscreen and finding its help pages.
# usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr > /dev/null

# The tree: exactly the expected files (the help folder as a pattern: every file of help/ is there).
expected="$(grep -v '\*' "$source/tests/dist/install_tree.txt"; \
            for page in "$source"/help/*; do echo "usr/share/ploven/help/$(basename "$page")"; done)"
actual="$(cd "$stage" && find . -type f | sed 's|^\./||' | sort)"
diff <(echo "$expected" | sort) <(echo "$actual") || fail "the installed files differ (< expected, > installed)"
[ -x "$stage/usr/bin/ploven" ] && [ -x "$stage/usr/bin/plovenctl" ] && [ -x "$stage/usr/bin/ploven-calendar" ] || fail "programs not executable"

# No path of the source or build tree is compiled into the programs.
for program in ploven plovenctl ploven-calendar; do
  strip -o "$stage/stripped" "$stage/usr/bin/$program"
  if grep -q -a -F "$source/" "$stage/stripped"; then
    fail "$program names the source folder $source"
  fi
  rm "$stage/stripped"
done

desktop-file-validate "$stage/usr/share/applications/org.ploven.Ploven.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$stage/usr/share/metainfo/org.ploven.Ploven.metainfo.xml" > /dev/null \
  || fail "metainfo"
# The MIME type compiles, and a schedule file is recognised by its first bytes.
cp -r "$stage/usr/share/mime" "$stage/mime"
update-mime-database "$stage/mime" || fail "MIME type"
grep -q "application/x-ploven-schedule" "$stage/mime/globs2" || fail "MIME glob"
grep -q "application/x-ploven-schedule" "$stage/mime/magic" || fail "MIME magic"

# The manual page names every command of plovenctl --help, and the completion knows them.
commands="$("$stage/usr/bin/plovenctl" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p')"
[ -n "$commands" ] || fail "no commands in plovenctl --help"
manual="$(man -l -P cat "$stage/usr/share/man/man1/plovenctl.1" 2>/dev/null || cat "$stage/usr/share/man/man1/plovenctl.1")"
for c in $commands; do
  grep -q -E "^ +$c( |$)" <<< "$manual" || fail "plovenctl(1) lacks the command $c"
  grep -q -w -- "$c" "$stage/usr/share/bash-completion/completions/plovenctl" || fail "completion lacks $c"
done
bash -c "source '$stage/usr/share/bash-completion/completions/plovenctl'; COMP_WORDS=(plovenctl ad); COMP_CWORD=1; _plovenctl; [[ \" \${COMPREPLY[*]} \" == *' add '* ]]" \
  || fail "completion does not offer add for 'ad'"
bash -c "source '$stage/usr/share/bash-completion/completions/plovenctl'; COMP_WORDS=(plovenctl items f.pak --j); COMP_CWORD=3; _plovenctl; [[ \" \${COMPREPLY[*]} \" == *' --json '* ]]" \
  || fail "completion does not offer --json to items"
"$stage/usr/bin/plovenctl" --version | grep -q -E '^plovenctl [0-9]' || fail "plovenctl --version"
"$stage/usr/bin/ploven" --version | grep -q -E '^ploven [0-9]' || fail "ploven --version"
man -l -P cat "$stage/usr/share/man/man1/ploven.1" > /dev/null 2>&1 || grep -q '^\.TH PLOVEN 1' "$stage/usr/share/man/man1/ploven.1" \
  || fail "ploven(1)"
# The companion's page tells the command line the program itself asks for.
companion_usage="$("$stage/usr/bin/ploven-calendar" 2>&1 || true)"
grep -q -F -- "--data DIR --socket PATH" <<< "$companion_usage" || fail "ploven-calendar's usage changed"
man -l -P cat "$stage/usr/share/man/man1/ploven-calendar.1" 2>/dev/null | grep -q -E -- "--data +DIR +--socket +PATH" \
  || fail "ploven-calendar(1) does not give the command line"

# The installed program finds its help pages where it was installed, and starts offscreen.
"$stage/usr/bin/ploven" --help | grep -q -F "Help pages: $stage/usr/share/ploven/help" \
  || fail "the installed ploven does not find its help pages: $("$stage/usr/bin/ploven" --help | tail -1)"
home="$stage/home"
mkdir -p "$home"
printf '[Ploven]\nUserName=Dana\n' > "$home/Ploven.ini"
"$stage/usr/bin/plovenctl" sample "$home/Timedata.pak" > /dev/null
QT_QPA_PLATFORM=offscreen PLOVEN_HOME="$home" HOME="$home" PLOVEN_SCREENSHOT="$stage/shot.png" \
  timeout 60 "$stage/usr/bin/ploven" "$home/Timedata.pak" || fail "the installed ploven did not start"
[ -s "$stage/shot.png" ] || fail "the installed ploven showed no window"
echo "ok"
