#!/usr/bin/env bash
# A settings file that is there but cannot be read (mode 000): the client started on it and ended
# as closing its window ends it (SIGTERM) leaves the file byte for byte and mode for mode as it
# was, and nothing beside it. Run as root, as CI runs, the client runs as nobody, whom the mode
# keeps out; the error box it shows must not keep it from ending.
# Usage: unreadable_settings_test.sh <orv2term>
set -uo pipefail
client=$(realpath "$1")
failures=0
tmp=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck source=client_process.sh
source "$(dirname "$0")/client_process.sh"

folder=$tmp/home/.config/talmaro
mkdir -p "$folder" "$tmp/start"
cat >"$folder/ot32.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\SOFTWARE\talmaro\ot32]
"list width"=dword:000000c8
"Ac0"="Zed~kx1234~secret\n"
"F1"="look"
REG
cp "$folder/ot32.reg" "$tmp/before"
chmod 000 "$folder/ot32.reg"

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chmod 755 "$tmp"
  chown -R nobody:nogroup "$tmp/home" "$tmp/start"
  # The build tree may be closed to nobody.
  "${as_user[@]}" test -x "$client" || { cp "$client" "$tmp/orv2term" && client=$tmp/orv2term; }
fi

(cd "$tmp/start" && exec env -u XDG_RUNTIME_DIR HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
  QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$client") >"$tmp/client.log" 2>&1 &
pid=$!
await_ready "$pid"
kill -TERM "$pid" 2>/dev/null
await_end "$pid"
rc=$ended
pid=
[ "$rc" -eq 0 ] || { fail "the client ended with status $rc (it is killed after 20 s)"; cat "$tmp/client.log"; }

[ "$(stat -c %a "$folder/ot32.reg")" = 0 ] || fail "the file's mode is now $(stat -c %a "$folder/ot32.reg")"
beside=$(find "$folder" -mindepth 1 ! -name ot32.reg -printf '%f ')
[ -z "$beside" ] || fail "the client wrote beside the file: $beside"
chmod 600 "$folder/ot32.reg"
cmp -s "$tmp/before" "$folder/ot32.reg" || fail "the file changed: $(cat "$folder/ot32.reg")"

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "unreadable settings: left as they were"
