#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
# With --sanitize it builds a separate tree with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  bash scripts/build.sh "$dir" -DKELOPZ_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
else
  dir=build
  bash scripts/build.sh "$dir"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
