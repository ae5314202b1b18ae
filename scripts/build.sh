#!/usr/bin/env bash
# Configures and builds into the given folder (default: build). Extra arguments go to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
# With Ninja the moc step is re-run only when a file it already knew changed; a newly
# added window header would go unnoticed, so the step is made to look again (it keeps
# its own cache, so this costs little).
rm -f "$dir"/*_autogen/timestamp
cmake --build "$dir" -j "$(nproc)"
