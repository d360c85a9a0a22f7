#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the installed tree as a desktop sees it:
# exactly the expected files, icons of the right sizes, a menu entry whose program and icon are in
# the prefix, valid desktop and AppStream data, and manual pages that render without a warning.
# Usage: install_test.sh <build folder>
set -uo pipefail
build=$1
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/usr

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || { cat "$tmp/install.log"; exit 1; }

id=com.talmaro.Orv2Term
sizes=(16 24 32 48 64 128 256)
expected=(
  bin/orv2term
  bin/orvanta-demo-server
  share/applications/$id.desktop
  share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/$id.svg
  share/orv2term/alert.wav
  share/man/man6/orv2term.6.gz
  share/man/man6/orvanta-demo-server.6.gz
  share/doc/orv2term/copyright
  share/doc/orv2term/changelog.gz
)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done

# Exactly these files: nothing missing, and no test, benchmark or library slipped in.
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$prefix" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the expected ones (< expected, > installed)"

for program in orv2term orvanta-demo-server; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
done
for size in "${sizes[@]}"; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$png" ] || continue
  got=$(identify -format '%m %wx%h' "$png")
  [ "$got" = "PNG ${size}x${size}" ] || fail "${size}x${size} icon is $got"
done
file -b "$prefix/share/orv2term/alert.wav" | grep -q 'WAVE audio' || fail "alert.wav is not a WAVE file"

# The menu entry: its program and its icon must be found in the prefix, as a desktop would look.
entry=$prefix/share/applications/$id.desktop
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
try_exec=$(sed -n 's/^TryExec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_program" ] || fail "Exec names '$exec_program', not in $prefix/bin"
[ -x "$prefix/bin/$try_exec" ] || fail "TryExec names '$try_exec', not in $prefix/bin"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon '$icon' has no scalable icon"
for size in "${sizes[@]}"; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png" ] || fail "Icon '$icon' has no ${size}px icon"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch $id.desktop"

# The validators print nothing but their verdict when all is well.
out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate failed"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
  fail "appstreamcli validate failed"
grep -E '^[EWI]: ' <<<"$out" && fail "appstreamcli validate reported the issues above"

for page in orv2term orvanta-demo-server; do
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man6/$page.6.gz" 2>"$tmp/man.err")
  [ -s "$tmp/man.err" ] && fail "man $page: $(cat "$tmp/man.err")"
  grep -q "^NAME" <<<"$text" && grep -q "^ *$page  *- " <<<"$text" || fail "man $page has no NAME line for $page"
  grep -q -- "--version" <<<"$text" || fail "man $page does not document --version"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "installed tree: all as expected"
