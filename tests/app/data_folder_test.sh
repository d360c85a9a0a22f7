#!/usr/bin/env bash
# Where the client keeps the player's files: started as the desktop entry starts it, in the
# desktop's data folder under a fresh home; started from a folder without the entry's option, in
# that folder. The day log (Log All Sessions on) shows where they went.
# Usage: data_folder_test.sh <orv2term> <desktop entry>
set -uo pipefail
client=$(realpath "$1") entry=$(realpath "$2")
failures=0
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The entry's command line, with the installed program's name replaced by the one under test.
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$entry")"
[ "${command[0]}" = orv2term ] || { echo "FAIL: the desktop entry runs '${command[0]}'"; exit 1; }
command[0]=$client

export HOME=$tmp/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME/.config/talmaro" "$tmp/start"
cat >"$HOME/.config/talmaro/ot32.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\SOFTWARE\talmaro\ot32]
"AutoLog"=dword:00000001
REG

# start FOLDER ARGS...: runs the client in FOLDER until a day log appears under WANT (at most
# 20 s), then ends it. Sets log to the log found.
start_until_log() {
  local folder=$1 want=$2; shift 2
  (cd "$folder" && exec "$@") >"$tmp/client.log" 2>&1 &
  pid=$!
  log=
  local deadline=$((SECONDS + 20))
  while [ $SECONDS -lt $deadline ] && kill -0 "$pid" 2>/dev/null; do
    log=$(find "$want" -maxdepth 1 -name '*.log' 2>/dev/null | head -1)
    [ -n "$log" ] && break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=
  [ -n "$log" ] || { fail "no day log under $want"; cat "$tmp/client.log"; }
}

# The day log's name is the date it was opened: today's, or yesterday's just after midnight.
is_day_log() {
  local name
  name=$(basename "$1")
  [ "$name" = "$(LC_ALL=C date +%d%b%Y).log" ] || [ "$name" = "$(LC_ALL=C date -d yesterday +%d%b%Y).log" ]
}

data=$HOME/.local/share/talmaro
start_until_log "$tmp/start" "$data/logs" "${command[@]}"
if [ -n "$log" ]; then
  is_day_log "$log" || fail "day log named $(basename "$log")"
  [ "$(stat -c %a "$data")" = 700 ] || fail "$data has mode $(stat -c %a "$data")"
  [ -s "$data/alert.wav" ] || fail "no default alert.wav in $data"
  [ -z "$(ls -A "$tmp/start")" ] || fail "the desktop start left files in its start folder: $(ls -A "$tmp/start")"
fi

rm -rf "$HOME/.local"
start_until_log "$tmp/start" "$tmp/start/logs" "$client"
if [ -n "$log" ]; then
  is_day_log "$log" || fail "day log named $(basename "$log")"
  [ ! -e "$data" ] || fail "a start from a terminal made $data"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "data folders: all as expected"
