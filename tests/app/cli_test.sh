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

# answers NAME PROGRAM VERSION-LINE HELP-WORDS BAD-COMMAND-LINES...: --version prints the line alone,
# --help names every word, and each bad command line is a usage error.
answers() {
  local name=$1 program=$2 version=$3 words=$4 word args
  shift 4
  run version "$program" --version
  expect "$name --version" 0 "$version"
  [ -z "$err" ] || fail "$name --version wrote on stderr: $err"
  run help "$program" --help
  expect "$name --help" 0
  for word in $words; do
    grep -q -- "$word" <<<"$out" || fail "$name --help does not mention $word"
  done
  for args in "$@"; do
    # shellcheck disable=SC2086 # each case is a list of words
    run bad "$program" $args
    usage_error "$name $args"
  done
}

answers orv2term "$client" "Orv2Term 1.04" "--desktop --version --help XDG_DATA_HOME" \
  "--bogus" "--desktop --no-such-thing" "stray" "-platform"
answers orvanta-demo-server "$server" "orvanta-demo-server 1.04" "--port --players --version" \
  "--bogus" "--port 30003 --no-such-thing" "--port nine" "stray"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "command lines: all as expected"
