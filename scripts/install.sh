#!/usr/bin/env bash
# Installs the program built in the given folder (default: build) where it stays, outside
# the source and build trees: ${XDG_DATA_HOME:-~/.local/share}/kelopz. Prints that folder.
# The books (kelopz.mdb) are made there once, on the first install, and never overwritten
# or removed afterwards: the program and its manual are replaced, the books are left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
home=${XDG_DATA_HOME:-$HOME/.local/share}/kelopz

# The books are keyed with a password every copy of the program knows, so only the rights
# of the folder and the file keep other users of the machine out of them: both are the
# owner's alone. Everything below is made under umask 077, so nothing is readable by others
# even for a moment; an earlier install's folder and books are narrowed in place.
mkdir -p "$(dirname "$home")"
umask 077
mkdir -p "$home"
chmod 700 "$home"
if [ -e "$home/kelopz.mdb" ]; then chmod 600 "$home/kelopz.mdb"; fi

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
  # A copy left by an interrupted install is removed first: copying over it would keep
  # its rights.
  rm -f "$home/.kelopz.mdb.new"
  if [ -f "$build/kelopz.mdb" ]; then
    cp "$build/kelopz.mdb" "$home/.kelopz.mdb.new"
  else
    "$build/kelopz_mkdb" data/kelopz.sql "$home/.kelopz.mdb.new"
  fi
  # No clobbering, even if books appeared meanwhile.
  mv -n "$home/.kelopz.mdb.new" "$home/kelopz.mdb"
  rm -f "$home/.kelopz.mdb.new"
fi
echo "$home"
