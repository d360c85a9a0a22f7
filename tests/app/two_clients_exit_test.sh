#!/usr/bin/env bash
# Two clients on one settings file, ended at the same moment (SIGTERM, as closing their windows):
# each time the file parses, the values neither wrote are kept, both exit batches went in whole,
# and no temporary file is left beside it.
# Usage: two_clients_exit_test.sh <orv2term>
set -uo pipefail
client=$(realpath "$1")
failures=0
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill -KILL "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck source=client_process.sh
source "$(dirname "$0")/client_process.sh"

folder=$tmp/config/talmaro
mkdir -p "$folder" "$tmp/a" "$tmp/b"
cat >"$folder/ot32.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\SOFTWARE\talmaro\ot32]
"Ac0"="Zed~kx1234~secret\n"
"F1"="look"
REG

for round in 1 2 3; do
  pids=()
  for start in a b; do
    (cd "$tmp/$start" && exec env XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=offscreen "$client") \
      >"$tmp/$start.log" 2>&1 &
    pids+=($!)
  done
  await_ready "${pids[@]}"
  kill -TERM "${pids[@]}"
  for p in "${pids[@]}"; do
    await_end "$p"
    [ "$ended" -eq 0 ] || fail "round $round: a client ended with status $ended"
  done
  pids=()

  file=$folder/ot32.reg
  head -1 "$file" | grep -qxE $'REGEDIT4\r?' || fail "round $round: the file lost its header"
  # Every line is empty, the key, or one "name"=value.
  bad=$(grep -cvE $'^(\r?|\\[HKEY_CURRENT_USER\\\\SOFTWARE\\\\talmaro\\\\ot32\\]\r?|"[^"]+"=(dword:[0-9a-f]{8}|"([^"\\\\]|\\\\.)*")\r?|REGEDIT4\r?)$' "$file")
  [ "$bad" -eq 0 ] || fail "round $round: $bad lines do not parse: $(cat "$file")"
  for value in '"Ac0"="Zed~kx1234~secret\n"' '"F1"="look"' '"Window Height"=dword:' '"Font Name"='; do
    grep -qF "$value" "$file" || fail "round $round: $value is missing"
  done
  beside=$(find "$folder" -mindepth 1 ! -name ot32.reg ! -name ot32.reg.lock -printf '%f ')
  [ -z "$beside" ] || fail "round $round: left beside the file: $beside"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "two clients ending together: the file held every value, three times"
