#!/usr/bin/env bash
# Builds QuarnSoft and starts it on the built-in simulated programmer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset release -DQUARN_BUILD_TESTS=OFF -DQUARN_BUILD_BENCH=OFF
cmake --build --preset release --target quarnsoft
exec ./build/release/quarnsoft --simulate "$@"
