#!/usr/bin/env bash
# Saves the windows of a scripted demo run as PNG files: the main window in
# Italian and in English, the About window, the sensor window at rest,
# during a motion event and after a parameter change, the traffic monitor
# with the conversation in it, and the walk test in English and Italian.
# The run uses the simulated programmer and sensor in virtual time, so every
# run gives the same pictures.
#
# Usage: tools/screenshots.sh [output-directory]     (default: build/shots)
# Builds the release quarnsoft and quarn_shots first when needed, in
# build/gui-release (or QUARN_GUI_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/build/shots}")
build_dir=${QUARN_GUI_BUILD_DIR:-$root/build/gui-release}

if [[ ! -f $build_dir/CMakeCache.txt ]]; then
  cmake --preset release -S "$root" -B "$build_dir" \
    -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=ON >/dev/null
fi
cmake --build "$build_dir" -j2 --target quarnsoft quarn_shots >/dev/null

# Qt wants a private runtime directory; give it a passing one when unset.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
  XDG_RUNTIME_DIR=$(mktemp -d)
  export XDG_RUNTIME_DIR
  trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi
mkdir -p "$output"
# A window manager, when there is one, lets the walk test fill the screen.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & sleep 1; fi
  exec "$0" "$1"' "$build_dir/bench/gui/quarn_shots" "$output"
