#!/usr/bin/env bash
# Books open alike on SQLCipher 3 and 4. The program's own connection code, built against
# SQLCipher 4, opens and writes books made by the seed tool on this system's SQLCipher 3
# and books made by the seed tool built against SQLCipher 4; the system's SQLCipher 3
# (its sqlcipher shell) then reads each result back, whole.
# Usage: books_open_on_sqlcipher4.sh <build folder> <cmake> <SQLCipher 4's sqlite3.c>
set -euo pipefail
build=$1 cmake=$2 source=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$*"; exit 1; }

[ -f "$source" ] || fail "SQLCipher 4's source is missing ($source): scripts/deps.sh fetches it, which needs the network"
"$cmake" --build "$build" --target kelopz_mkdb kelopz_sqlcipher4_writer kelopz_sqlcipher4_mkdb > "$scratch/build.log" 2>&1 ||
  { cat "$scratch/build.log"; fail "the programs built against SQLCipher 4 could not be built"; }
command -v sqlcipher > /dev/null || fail "the sqlcipher shell (SQLCipher 3) is not installed: run scripts/deps.sh"

key=$(sed -n 's/.*kDatabasePassword = "\([^"]*\)".*/\1/p' "$root/src/db/databasekey.h")
[ -n "$key" ] || fail "the books' key was not found in src/db/databasekey.h"
# What the system's SQLCipher 3 reads from the books.
read_back() { printf "PRAGMA key='%s';\nPRAGMA integrity_check;\nSELECT czyname FROM czy ORDER BY czyno;\n" "$key" |
  sqlcipher -bail "$1" 2>&1 | paste -sd' '; }

# made by the seed tool built against
while read -r made_on mkdb; do
  books=$scratch/$made_on.mdb
  "$build/$mkdb" "$root/data/kelopz.sql" "$books" || fail "$made_on: the seed tool failed"
  "$build/kelopz_sqlcipher4_writer" "$books" || fail "books made on $made_on: not written on SQLCipher 4"
  got=$(read_back "$books")
  [ "$got" = "ok 第四版 系统管理员" ] || fail "books made on $made_on, written on SQLCipher 4, read on SQLCipher 3: $got"
done <<LIST
SQLCipher-3 kelopz_mkdb
SQLCipher-4 kelopz_sqlcipher4_mkdb
LIST
