#!/usr/bin/env bash
# The install puts the program beside the user's books and makes the books only once:
# a reinstall replaces the program and leaves the books as the user left them. The folder
# and the books are the owner's alone, whatever the umask, also after an earlier install
# that left them readable by others.
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

# Installs into a fresh data folder under the given umask; prints the books' folder.
install_into() { # <data folder> <umask> <build folder>
  mkdir -p "$1"
  (umask "$2" && XDG_DATA_HOME=$1 bash "$root/scripts/install.sh" "$3")
}
modes() { stat -c '%a' "$1" "$1/kelopz.mdb" | paste -sd' '; }

home=$(install_into "$scratch/first" 022 "$build")
[ "$home" = "$scratch/first/kelopz" ] || fail "installed in $home"
[ -x "$home/kelopz" ] && [ -s "$home/kelopz.mdb" ] || fail "program or books missing"

echo "work the user did" >> "$home/kelopz.mdb"
before=$(cksum < "$home/kelopz.mdb")
install_into "$scratch/first" 022 "$build" > /dev/null
[ "$(cksum < "$home/kelopz.mdb")" = "$before" ] || fail "a reinstall changed the books"

# Two build folders: one without books, from which the install makes them from the seed,
# and one whose books, readable by all, the install takes over.
for from in bare-build taken-over; do
  mkdir -p "$scratch/$from"
  for f in kelopz kelopz_mkdb sm.chm; do
    if [ -e "$build/$f" ]; then ln -s "$build/$f" "$scratch/$from/$f"; fi
  done
done
cp "$build/testdata/seed.mdb" "$scratch/taken-over/kelopz.mdb"
chmod 644 "$scratch/taken-over/kelopz.mdb"

# umask | build folder the books come from
while read -r mask from; do
  home=$(install_into "$scratch/$mask-$from" "$mask" "$scratch/$from")
  [ -s "$home/kelopz.mdb" ] || fail "umask $mask, $from: no books made"
  [ "$(modes "$home")" = "700 600" ] || fail "umask $mask, $from: folder and books $(modes "$home")"
done <<EOF
000 bare-build
022 bare-build
000 taken-over
022 taken-over
EOF

# An earlier install left the folder and the books readable by all: the next install makes
# them the owner's alone, without touching a byte of the books.
old=$scratch/earlier/kelopz
mkdir -p "$old"
printf 'books an earlier install made' > "$old/kelopz.mdb"
chmod 755 "$old"
chmod 644 "$old/kelopz.mdb"
before=$(cksum < "$old/kelopz.mdb")
install_into "$scratch/earlier" 022 "$build" > /dev/null
[ "$(modes "$old")" = "700 600" ] || fail "earlier install: folder and books $(modes "$old")"
[ "$(cksum < "$old/kelopz.mdb")" = "$before" ] || fail "earlier install: the books changed"

# An interrupted install left its half-made copy, readable by all: the books taken over
# in its place are the owner's alone.
left=$scratch/interrupted/kelopz
mkdir -p "$left"
printf 'half a copy' > "$left/.kelopz.mdb.new"
chmod 644 "$left/.kelopz.mdb.new"
install_into "$scratch/interrupted" 022 "$scratch/taken-over" > /dev/null
[ "$(modes "$left")" = "700 600" ] || fail "after an interrupted install: folder and books $(modes "$left")"
cmp -s "$left/kelopz.mdb" "$scratch/taken-over/kelopz.mdb" || fail "after an interrupted install: not the build's books"
