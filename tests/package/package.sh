#!/bin/sh
# The Debian package, as ctest checks it (run in the build folder):
#   package.sh build       builds build/package/zelk_<version>_<arch>.deb with cpack
#   package.sh lint        lintian finds no error in it
#   package.sh installed   its files and their modes are the expected ones, and the binary it installs,
#                          unpacked into a scratch root and started offscreen against the development
#                          gateway, reaches the sign-in screen (whose loading asks for the version check)
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
build="$(pwd)"
deb() { ls -t "$build"/package/zelk_*.deb | head -n 1; }

case "$1" in
build)
  rm -f "$build"/package/zelk_*.deb
  cpack -G DEB --config "$build/CPackConfig.cmake"
  ;;
lint)
  lintian --fail-on error --display-info "$(deb)"
  ;;
installed)
  scratch="$(mktemp -d)"
  app_pid=""
  sim_pid=""
  cleanup() {
    for pid in $app_pid $sim_pid; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$scratch"
  }
  trap cleanup EXIT

  # Files, owners and modes; the development gateway is not among them.
  dpkg-deb -c "$(deb)" | awk '{print $1, $2, $6}' | LC_ALL=C sort -k3 >"$scratch/contents"
  diff -u "$here/contents.txt" "$scratch/contents"

  root="$scratch/root"
  dpkg -x "$(deb)" "$root"
  "$build/tools/gateway-sim/zelk-gateway-sim" --port 0 >"$scratch/sim.log" 2>&1 &
  sim_pid=$!
  url=""
  for _ in $(seq 300); do
    url="$(sed -n 's/^listening on \(http:\/\/[^ ]*\).*/\1/p' "$scratch/sim.log")"
    [ -n "$url" ] && break
    sleep 0.1
  done
  [ -n "$url" ] || { echo "the development gateway did not start" >&2; cat "$scratch/sim.log" >&2; exit 1; }

  mkdir -p "$scratch/home" "$scratch/run"
  chmod 700 "$scratch/run"
  env -i PATH=/usr/bin:/bin HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" ZELK_GATEWAY_URL="$url" ZELK_ANALYTICS_URL="$url" \
    "$root/usr/bin/zelk" >"$scratch/app.log" 2>&1 &
  app_pid=$!
  # A loaded machine may take a while to start it.
  for _ in $(seq 600); do
    curl -sf "$url/__sim/requests" | grep -q 'checkVersion/json' && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! curl -sf "$url/__sim/requests" | grep -q 'checkVersion/json' || ! kill -0 "$app_pid" 2>/dev/null; then
    echo "the installed app did not reach the sign-in screen:" >&2
    cat "$scratch/app.log" >&2
    exit 1
  fi
  echo "the installed app shows the sign-in screen"
  ;;
*)
  echo "usage: $0 build|lint|installed" >&2
  exit 2
  ;;
esac
