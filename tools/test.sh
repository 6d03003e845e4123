#!/usr/bin/env bash
# Builds QuarnSoft and runs every test: the normal build, then the whole
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, then the
# Windows build of the command-line tool and the toolkit-free tests (MinGW-w64,
# run under Wine), then a one-minute run of each fuzz target, then the Debian
# package: built, checked, installed, run and removed again.
set -euo pipefail
cd "$(dirname "$0")/.."
QUARN_WITH_WINDOWS=1 bash tools/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in debug asan; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
# Windows: cross-built, the tests and quarnsoft-cli.exe run under Wine.
cmake --preset windows-cli
cmake --build --preset windows-cli
ctest --preset windows-cli
# A short run of every fuzz target (clang + libFuzzer), from the seed corpora.
bash tools/fuzz.sh 60
# The Debian package on this machine, installed and removed again.
bash tools/package-test.sh
