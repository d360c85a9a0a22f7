#!/usr/bin/env bash
# The command lines of both programs, run as processes: what they print, where, and their exit codes.
# Usage: cli_test.sh <orv2term> <orvanta-demo-server>
set -uo pipefail
client=$1 server=$2
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run NAME PROGRAM ARGS...: sets rc, out, err. No display at all, and Qt told to use X11, so a
# program that tried to open a window would fail loudly instead of answering.
run() {
  local name=$1; shift
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$@" >"$tmp/$name.out" 2>"$tmp/$name.err"
  rc=$?
  out=$(cat "$tmp/$name.out")
  err=$(cat "$tmp/$name.err")
  err_lines=$(wc -l <"$tmp/$name.err")
}

expect() { # expect WHAT WANTED-RC [exact stdout]
  local what=$1 want=$2
  [ "$rc" -eq "$want" ] || fail "$what: exit code $rc, wanted $want (stderr: $err)"
  if [ $# -ge 3 ] && [ "$out" != "$3" ]; then fail "$what: printed '$out', wanted '$3'"; fi
}

usage_error() { # usage_error WHAT: exit 2, nothing on stdout, one line on stderr
  expect "$1" 2
  [ -z "$out" ] || fail "$1: printed on stdout: $out"
  [ "$err_lines" -eq 1 ] || fail "$1: wanted one line on stderr, got: $err"
}

run version "$client" --version
expect "orv2term --version" 0 "Orv2Term 1.04"
[ -z "$err" ] || fail "orv2term --version wrote on stderr: $err"

run help "$client" --help
expect "orv2term --help" 0
for word in --desktop --version --help XDG_DATA_HOME; do
  grep -q -- "$word" <<<"$out" || fail "orv2term --help does not mention $word"
done

for args in "--bogus" "--desktop --no-such-thing" "stray" "-platform"; do
  # shellcheck disable=SC2086 # each case is a list of words
  run bad "$client" $args
  usage_error "orv2term $args"
done

run sversion "$server" --version
expect "orvanta-demo-server --version" 0 "orvanta-demo-server 1.04"

run shelp "$server" --help
expect "orvanta-demo-server --help" 0
for word in --port --players --version; do
  grep -q -- "$word" <<<"$out" || fail "orvanta-demo-server --help does not mention $word"
done

for args in "--bogus" "--port 30003 --no-such-thing" "--port nine" "stray"; do
  # shellcheck disable=SC2086
  run sbad "$server" $args
  usage_error "orvanta-demo-server $args"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "command lines: all as expected"
