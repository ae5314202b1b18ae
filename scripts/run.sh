#!/usr/bin/env bash
# Installs what is missing, builds, installs the program beside the user's books
# (${XDG_DATA_HOME:-~/.local/share}/kelopz, see scripts/install.sh), and starts it there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh build
home=$(bash scripts/install.sh build)
exec "$home/kelopz" "$@"
