#!/usr/bin/env bash
# Figures of the running GUI on the simulated programmer, under a virtual X
# display:
#   - start-up: time from process start to the first painted start window
#     (median of several runs of quarn_gui_bench --first-paint, quarnsoft's
#     own start-up on the simulated programmer), as the program measures it
#     and as seen from outside (launch to exit);
#   - idle: CPU share and resident memory over 30 s with the start window
#     shown and the programmer present but nothing behind it
#     (quarn_gui_bench --no-sensor);
#   - streaming: CPU share and resident memory over 30 s while the sensor
#     window shows the live signal (quarnsoft --simulate);
#   - streaming with the signal history window shown beside it
#     (quarn_gui_bench --history), and its ratio to the sensor window alone.
# Targets: first window < 300 ms, idle CPU < 1 %, RSS < 60 MB, streaming
# CPU < 2 % of one core, history shown <= 1.5 times the streaming CPU.
# The measuring time is QUARN_BENCH_SECONDS (default 30).
#
# Usage: bench/gui/gui_bench.sh [runs]        (default: 9 start-up runs)
# Builds the release quarnsoft and quarn_gui_bench first when needed, in
# build/gui-release (or QUARN_GUI_BUILD_DIR); QUARNSOFT=<path> and
# QUARN_GUI_BENCH=<path> measure other executables.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-9}
measure_seconds=${QUARN_BENCH_SECONDS:-30}

if [[ -z ${QUARN_BENCH_INSIDE_X:-} ]]; then
  build_dir=${QUARN_GUI_BUILD_DIR:-$root/build/gui-release}
  if [[ -z ${QUARNSOFT:-} || -z ${QUARN_GUI_BENCH:-} ]]; then
    if [[ ! -f $build_dir/CMakeCache.txt ]]; then
      cmake --preset release -S "$root" -B "$build_dir" \
        -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=ON >/dev/null
    fi
    cmake --build "$build_dir" -j2 --target quarnsoft quarn_gui_bench >/dev/null
    export QUARNSOFT=${QUARNSOFT:-$build_dir/quarnsoft}
    export QUARN_GUI_BENCH=${QUARN_GUI_BENCH:-$build_dir/quarn_gui_bench}
  fi
  export QUARN_BENCH_INSIDE_X=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" "$runs"
fi

runtime_dir=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime_dir
app_pid=
cleanup() {
  if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
  fi
  rm -rf "$runtime_dir"
}
trap cleanup EXIT

median() { sort -g | awk '{v[NR] = $1} END {m = int((NR + 1) / 2); print v[m]}'; }
now_ms() { date +%s%3N; }
clock_ticks=$(getconf CLK_TCK)

# utime + stime of the process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
hwm_kb() { awk '/^VmHWM:/ {print $2}' "/proc/$1/status"; }
window_shown() { xwininfo -root -tree 2>/dev/null | grep -q "\"$1\""; }

echo "quarnsoft: $QUARNSOFT"
echo "quarn_gui_bench: $QUARN_GUI_BENCH"
echo

# --- start-up ---------------------------------------------------------------
inside=()
outside=()
for ((i = 0; i < runs; i++)); do
  start=$(now_ms)
  line=$("$QUARN_GUI_BENCH" --first-paint 2>/dev/null | grep "first window shown")
  end=$(now_ms)
  inside+=("$(awk '{print $(NF - 1)}' <<<"$line")")
  outside+=("$((end - start))")
done
echo "start-up, $runs runs"
echo "  first window painted (in-process)  median $(printf '%s\n' "${inside[@]}" | median) ms" \
  "  (runs: ${inside[*]})"
echo "  launch to exit after first paint   median $(printf '%s\n' "${outside[@]}" | median) ms"
echo

# Starts the executable with the given options, waits for the window named,
# lets it settle, then measures CPU and memory over the measuring time.
measure() {
  local label=$1 window=$2 settle=$3
  shift 3
  "$@" >/dev/null 2>&1 &
  app_pid=$!
  local waited=0
  until window_shown "$window"; do
    sleep 0.2
    waited=$((waited + 1))
    if ((waited > 100)); then
      echo "$label: window \"$window\" never appeared" >&2
      exit 1
    fi
  done
  sleep "$settle"
  local t0 c0 t1 c1
  t0=$(now_ms)
  c0=$(cpu_ticks "$app_pid")
  sleep "$measure_seconds"
  c1=$(cpu_ticks "$app_pid")
  t1=$(now_ms)
  last_cpu=$(awk -v ticks=$((c1 - c0)) -v hz="$clock_ticks" -v ms=$((t1 - t0)) \
    'BEGIN { printf "%.4f", 100 * ticks / hz / (ms / 1000) }')
  awk -v label="$label" -v ticks=$((c1 - c0)) -v hz="$clock_ticks" -v ms=$((t1 - t0)) \
    -v rss="$(rss_kb "$app_pid")" -v hwm="$(hwm_kb "$app_pid")" 'BEGIN {
      printf "%s\n  CPU %.2f %% of one core over %.1f s (%d ticks)\n", label,
             100 * ticks / hz / (ms / 1000), ms / 1000, ticks
      printf "  RSS %.1f MB (peak %.1f MB)\n", rss / 1024, hwm / 1024
    }'
  kill "$app_pid"
  wait "$app_pid" 2>/dev/null || true
  app_pid=
}

measure "idle, start window shown (programmer present, no sensor)" "QuarnSoft" 2 \
  "$QUARN_GUI_BENCH" --no-sensor
echo
# The sensor window opens 1.5 s + 3 s after start; its stream then runs.
measure "streaming, sensor window shows the live signal" "Radar Zel" 2 "$QUARNSOFT" --simulate
sensor_cpu=$last_cpu
echo
# The history window opens from the Tools menu as soon as the sensor window
# is shown; it is measured once its chart is full (two minutes, 2400 samples).
measure "streaming, sensor window and signal history window shown (full chart)" "Radar Zel" 125 \
  "$QUARN_GUI_BENCH" --history
history_cpu=$last_cpu
echo
awk -v s="$sensor_cpu" -v h="$history_cpu" 'BEGIN {
  if (s > 0) printf "history shown / sensor window alone: %.2f (target <= 1.5)\n", h / s
  else print "history shown / sensor window alone: sensor window used no measurable CPU"
}'
