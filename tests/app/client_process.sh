# shellcheck shell=bash
# Shell helpers for tests that run the real client as a process, sourced by them.

# client_ready PID: true once the client catches SIGTERM (bit 15 of SigCgt), from when on it ends
# by it as by closing its window.
client_ready() {
  local mask
  mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
  [ -n "$mask" ] && (((16#$mask >> 14) & 1))
}

# await_ready PID...: waits up to 30 s for each client to be ready, then a second for the windows
# to be up.
await_ready() {
  local deadline=$((SECONDS + 30)) pid
  for pid; do
    until client_ready "$pid" || ! kill -0 "$pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.05; done
  done
  sleep 1
}

# await_end PID: waits up to 20 s for the client to end, kills it after that; sets ended to its
# exit status.
await_end() {
  local deadline=$((SECONDS + 20))
  while kill -0 "$1" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
  kill -KILL "$1" 2>/dev/null
  wait "$1"
  ended=$?
}
