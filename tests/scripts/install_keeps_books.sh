#!/usr/bin/env bash
# The install puts the program beside the user's books and makes the books only once:
# a reinstall replaces the program and leaves the books as the user left them.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME
trap 'rm -rf "$XDG_DATA_HOME"' EXIT

home=$(bash "$root/scripts/install.sh" "$build")
[ "$home" = "$XDG_DATA_HOME/kelopz" ] || { echo "installed in $home"; exit 1; }
[ -x "$home/kelopz" ] && [ -s "$home/kelopz.mdb" ] || { echo "program or books missing"; exit 1; }

echo "work the user did" >> "$home/kelopz.mdb"
before=$(cksum < "$home/kelopz.mdb")
bash "$root/scripts/install.sh" "$build" > /dev/null
[ "$(cksum < "$home/kelopz.mdb")" = "$before" ] || { echo "a reinstall changed the books"; exit 1; }
