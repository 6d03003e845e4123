#!/usr/bin/env bash
# Builds QuarnSoft and runs every test: the normal build, then the whole
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, then a
# one-minute run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in debug asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# A short run of every fuzz target (clang + libFuzzer), from the seed corpora.
bash tools/fuzz.sh 60
