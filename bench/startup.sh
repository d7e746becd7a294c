#!/bin/sh
# Start to first frame of the app beside a bare Qt Quick Controls window and a bare Qt Quick window, runs
# interleaved, and the shared libraries each has mapped at its first frame (the app's Qt Multimedia
# libraries named); for the app also the first frame that draws its sign-in screen (the first frame
# rendered after the navigator logs its root screen). Under Xvfb, from the work tree:
#   xvfb-run -a bench/startup.sh [build folder] [runs]
set -eu
build="${1:-build}"
runs="${2:-9}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/run"
chmod 700 "$scratch/run"
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" ZELK_GATEWAY_URL=http://127.0.0.1:9 ZELK_ANALYTICS_URL=http://127.0.0.1:9
export QT_MESSAGE_PATTERN='%{time hh:mm:ss.zzz} %{message}' QT_LOGGING_RULES='qt.scenegraph.time.renderloop.debug=true
zelk.ui.debug=true'

# Prints "<ms to first frame> <shared libraries mapped> <multimedia libraries mapped> <ms to the sign-in
# screen's frame>" for one start (the last is that of the first frame for the bare windows).
first_frame() {
  log="$scratch/log"
  : >"$log"
  start="$(date +%H:%M:%S.%N)"
  "$@" >>"$log" 2>&1 &
  pid=$!
  for _ in $(seq 1500); do grep -q 'frame rendered' "$log" && break; sleep 0.01; done
  libs="$(awk '$6 ~ /\.so/ {print $6}' /proc/$pid/maps | sort -u)"
  if [ "$1" = "$build/app/zelk" ]; then
    for _ in $(seq 1500); do grep -A1000 'root screen' "$log" | grep -q 'frame rendered' && break; sleep 0.01; done
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
  ms() { awk -v start="$start" '
    function ms(t, f) { split(t, f, ":"); return (f[1] * 3600 + f[2] * 60 + f[3]) * 1000 }
    {printf "%d", ms($1) - ms(start)}'; }
  first="$(grep -m1 'frame rendered' "$log" | ms)"
  root="$( (grep -A1000 'root screen' "$log" || true) | grep -m1 'frame rendered' | ms)"
  echo "$first $(echo "$libs" | wc -l) $(echo "$libs" | grep -c -i -E 'multimedia|pulse|flac|vorbis|opus|mpg123|mp3lame' || true) ${root:-$first}"
}

for what in app controls quick; do : >"$scratch/$what"; done
for _ in $(seq "$runs"); do
  first_frame "$build/app/zelk" >>"$scratch/app"
  first_frame "$build/bench/zelk_bench_bare_window" controls >>"$scratch/controls"
  first_frame "$build/bench/zelk_bench_bare_window" quick >>"$scratch/quick"
done
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
for what in app controls quick; do
  printf '%-9s first frame median %4s ms   libraries %s   multimedia %s   sign-in drawn %4s ms\n' "$what" \
    "$(cut -d' ' -f1 "$scratch/$what" | median)" "$(cut -d' ' -f2 "$scratch/$what" | median)" \
    "$(cut -d' ' -f3 "$scratch/$what" | median)" "$(cut -d' ' -f4 "$scratch/$what" | median)"
done
