#!/bin/sh
# One copy per user (run on an X display, e.g. under xvfb-run):  single-instance.sh path/to/zelk APP_ID
# A second start shows the first copy's window and exits 0 within a second, leaving one window; after the
# first copy is killed (its lock and socket left behind), the next start runs as the first copy; so does a
# start made at once after a kill while both cores are busy (the killed copy not yet reaped, perhaps not yet
# torn down), every time.
set -eu
app="$1"
id="$2"
scratch="$(mktemp -d)"
pids=""
cleanup() {
  for pid in $pids; do kill -9 "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=xcb \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" ZELK_GATEWAY_URL=http://127.0.0.1:9 \
  ZELK_ANALYTICS_URL=http://127.0.0.1:9 QT_LOGGING_RULES="zelk.platform.instance.info=true"
unset XDG_CONFIG_HOME XDG_DATA_HOME

# Top-level windows of the app (class "Zelk"); Qt's helper windows carry no class.
windows() { xwininfo -root -children | grep -c '("zelk" "Zelk")' || true; }
fail() { echo "$*" >&2; for f in "$scratch"/*.log; do echo "--- $f" >&2; cat "$f" >&2; done; exit 1; }

# Starts the first copy and waits for its window.
start_first() {
  "$app" >"$scratch/$1.log" 2>&1 &
  pids="$pids $!"
  first=$!
  for _ in $(seq 300); do
    [ "$(windows)" -ge 1 ] && return 0
    sleep 0.1
  done
  fail "the first copy showed no window"
}

# A second start: exits 0 within a second, the first copy was asked for its window (with the activation
# token the launcher gave the second), one window remains.
second_start() {
  begin=$(date +%s%N)
  status=0
  XDG_ACTIVATION_TOKEN="token-$1" timeout 5 "$app" >"$scratch/$1.log" 2>&1 || status=$?
  elapsed=$(( ($(date +%s%N) - begin) / 1000000 ))
  [ "$status" -eq 0 ] || fail "the second start exited with $status"
  [ "$elapsed" -lt 1000 ] || fail "the second start took ${elapsed} ms"
  kill -0 "$first" 2>/dev/null || fail "the first copy ended"
  asked="a later start asked for the window with an activation token"
  for _ in $(seq 20); do grep -q "$asked" "$scratch/$2.log" && break; sleep 0.05; done
  grep -q "$asked" "$scratch/$2.log" || fail "the first copy was not asked for its window with the launcher's token"
  [ "$(windows)" -eq 1 ] || fail "$(windows) windows after a second start"
  echo "second start handed over in ${elapsed} ms"
}

start_first a
second_start b a
kill -9 "$first"
wait "$first" 2>/dev/null || true
[ -e "$XDG_RUNTIME_DIR/$id.lock" ] || fail "the killed copy left no lock behind"
for _ in $(seq 50); do [ "$(windows)" -eq 0 ] && break; sleep 0.1; done
start_first c
second_start d c

# Kill and start again at once, the killed copy left unreaped, both cores busy. The new start must become
# the first copy (its window the one shown), never end as "already running".
# The busy loops end with this script however it ends, and hold none of its output.
busy=""
for _ in 1 2; do sh -c "while kill -0 $$ 2>/dev/null; do :; done" </dev/null >/dev/null 2>&1 & busy="$busy $!"; done
pids="$pids $busy"
for round in 1 2 3 4 5; do
  kill -9 "$first"
  log="$scratch/r$round.log"
  "$app" >"$log" 2>&1 &
  pids="$pids $!"
  first=$!
  begin=$(date +%s%N)
  for _ in $(seq 300); do
    grep -q "this start is the first copy" "$log" && [ "$(windows)" -eq 1 ] && break
    kill -0 "$first" 2>/dev/null || break
    sleep 0.1
  done
  elapsed=$(( ($(date +%s%N) - begin) / 1000000 ))
  kill -0 "$first" 2>/dev/null || fail "round $round: the start right after a kill ended"
  grep -q "this start is the first copy" "$log" || fail "round $round: the start right after a kill did not take the lock"
  [ "$(windows)" -eq 1 ] || fail "round $round: $(windows) windows after the restart"
  echo "round $round: restarted under load as the first copy in ${elapsed} ms"
done
for pid in $busy; do kill "$pid" 2>/dev/null || true; done
second_start e "r5"
