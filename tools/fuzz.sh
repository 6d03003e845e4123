#!/usr/bin/env bash
# Builds the fuzz targets with the fuzz preset and runs each of them for the
# given number of seconds (default 60), starting from a copy of its seed
# corpus. Fails on any finding; the crashing input is kept in build/fuzz/findings.
#   tools/fuzz.sh [seconds-per-target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
QUARN_WITH_FUZZ=1 bash tools/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz

findings="$PWD/build/fuzz/findings"
mkdir -p "$findings"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

status=0
for target in fuzz_receive_path fuzz_string_table fuzz_settings fuzz_capture \
    fuzz_parameter_file; do
  cp -r "fuzz/corpus/$target" "$work/$target"
  echo "== $target for ${seconds}s"
  if ! ./build/fuzz/fuzz/"$target" "$work/$target" \
      -dict=fuzz/quarn.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
      -print_final_stats=1 -artifact_prefix="$findings/$target-" \
      >"$work/$target.log" 2>&1; then
    tail -n 60 "$work/$target.log"
    echo "== $target: finding, input kept in $findings" >&2
    status=1
  else
    grep -E 'DONE|stat::number_of_executed_units' "$work/$target.log" || true
  fi
done
exit "$status"
