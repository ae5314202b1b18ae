#!/usr/bin/env bash
# Installs the program built in the given folder (default: build) where it stays, outside
# the source and build trees: ${XDG_DATA_HOME:-~/.local/share}/kelopz. Prints that folder.
# The books (kelopz.mdb) are made there once, on the first install, and never overwritten
# or removed afterwards: the program and its manual are replaced, the books are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
home=${XDG_DATA_HOME:-$HOME/.local/share}/kelopz
mkdir -p "$home"

# Replaced by renaming a full copy, so a running program or a broken copy never leaves
# a half-written file behind.
put() {
  cp "$1" "$home/.$2.new"
  mv -f "$home/.$2.new" "$home/$2"
}
put "$build/kelopz" kelopz
[ -f "$build/sm.chm" ] && put "$build/sm.chm" sm.chm

if [ ! -e "$home/kelopz.mdb" ]; then
  # The build folder's books are the ones the program used when it was started from
  # there; they are taken over once. Otherwise the books are made afresh from the seed.
  if [ -f "$build/kelopz.mdb" ]; then
    cp "$build/kelopz.mdb" "$home/.kelopz.mdb.new"
  else
    rm -f "$home/.kelopz.mdb.new"
    "$build/kelopz_mkdb" data/kelopz.sql "$home/.kelopz.mdb.new"
  fi
  # No clobbering, even if books appeared meanwhile.
  mv -n "$home/.kelopz.mdb.new" "$home/kelopz.mdb"
  rm -f "$home/.kelopz.mdb.new"
fi
echo "$home"
