#!/usr/bin/env bash
# The settings file under faults, with real writer processes. Writers killed with SIGKILL at
# random moments, every third one while a second writer works beside it: the file always
# parses, every value written before is kept, the killed writer's values are those it finished,
# and the next write leaves no temporary file. A write that runs out of room (a file size limit):
# the old file stays byte for byte, with no temporary file beside it.
# Usage: settings_faults_test.sh <settings_writer>
set -uo pipefail
writer=$(realpath "$1")
failures=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir "$tmp/cfg"
file=$tmp/cfg/ot32.reg
{
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32]\n"pad"="'
  head -c 4096 /dev/zero | tr '\0' x
  printf '"\n'
} >"$file"
cp "$file" "$tmp/expected"

temporaries() { find "$tmp/cfg" -name 'ot32.reg.??????' ! -name ot32.reg.lock | wc -l; }
parses() {
  [ "$(head -3 "$file")" = $'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\talmaro\\ot32]' ] &&
    ! tail -n +4 "$file" | grep -qvxE '"[a-z0-9_]+"=(dword:[0-9a-f]{8}|"x*")'
}
# values PREFIX N: the lines of PREFIX_0 = 0 up to PREFIX_(N-1), as the writer leaves them.
values() { for ((i = 0; i < $2; i++)); do printf '"%s_%d"=dword:%08x\n' "$1" "$i" "$i"; done; }

rounds=60 count=20 left=0 started=$SECONDS
for ((r = 0; r < rounds; r++)); do
  "$writer" "$file" "k$r" "$count" 2>/dev/null &
  killed=$!
  beside=
  if ((r % 3 == 1)); then
    "$writer" "$file" "b$r" 5 &
    beside=$!
  fi
  sleep "0.$(printf %03d $((RANDOM % 50)))"
  kill -KILL "$killed" 2>/dev/null
  wait "$killed" 2>/dev/null
  # Alone, a killed writer's temporary file is the only one there can be.
  [ -z "$beside" ] && left=$((left + $(temporaries)))
  if [ -n "$beside" ]; then
    wait "$beside" || fail "round $r: the writer beside the killed one failed"
    values "b$r" 5 >>"$tmp/expected"
  fi
  parses || fail "round $r: the file does not parse"
  done_values=$(grep "^\"k${r}_" "$file")
  n=$(grep -c . <<<"$done_values")
  [ "$done_values" = "$(values "k$r" "$n")" ] || fail "round $r: the killed writer's values are not those it finished"
  values "k$r" "$n" >>"$tmp/expected"
  "$writer" "$file" "n$r" 1 || fail "round $r: the next write failed"
  values "n$r" 1 >>"$tmp/expected"
  [ "$(temporaries)" -eq 0 ] || fail "round $r: a temporary file outlived the next write"
  lost=$(grep -cvxFf "$file" "$tmp/expected")
  [ "$lost" -eq 0 ] || fail "round $r: $lost values written before are gone"
done
echo "killed $rounds writers in $((SECONDS - started)) s; $left of the $((rounds - rounds / 3)) killed alone left a temporary file"

# Out of room: the file may not grow past its present size.
cp "$file" "$tmp/before"
(
  trap '' XFSZ
  ulimit -f $(($(stat -c %s "$file") / 1024))
  exec "$writer" "$file" full 1
) 2>"$tmp/full.err"
rc=$?
[ "$rc" -eq 1 ] || fail "a write past the file size limit answered $rc: $(cat "$tmp/full.err")"
cmp -s "$file" "$tmp/before" || fail "a write that ran out of room changed the file"
[ "$(temporaries)" -eq 0 ] || fail "a write that ran out of room left its temporary file"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "settings under faults: all as expected"
