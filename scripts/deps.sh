#!/usr/bin/env bash
# Installs, from Debian's repositories, whatever the build, the program and the tests need
# and the machine lacks. Safe to run again: it installs nothing that is already there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libqt6printsupport6
  libsqlcipher-dev sqlcipher libssl-dev
  fp-utils
  fonts-wqy-zenhei fontconfig
  xdg-utils xchm
  poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm fetches SQLCipher 4's source below; a Node.js from elsewhere that brings its own npm
# will do, and Debian's npm package would conflict with it.
command -v npm > /dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# SQLCipher 4's amalgamated source, for the check that books open alike on SQLCipher 3 and
# 4 (cmake/sqlcipher4.cmake): fetched once from the npm registry into the repository's
# .cache folder, which git ignores, and checked against the tarball's known digest.
# Without it the program still builds and runs; that check fails and says why.
sqlcipher4_package=@commapp/sqlcipher-amalgamation@4.5.5
sqlcipher4_sha512=11b8ba68d5a5879aabd9f58668756f6a1081459b5bb3ade14ad42650e200f3385f8894f74b466043439bcb43f0875d8358fdae46cd376a6d4b16ec6071d7a0a1
sqlcipher4=$(cd "$(dirname "$0")/.." && pwd)/.cache/sqlcipher4
if [ ! -f "$sqlcipher4/src/sqlite3.c" ]; then
  fetch=$(mktemp -d)
  if (cd "$fetch" && npm pack --silent "$sqlcipher4_package" > /dev/null) &&
     echo "$sqlcipher4_sha512  $(ls "$fetch"/*.tgz)" | sha512sum --check --quiet &&
     tar -xzf "$fetch"/*.tgz -C "$fetch" && [ -f "$fetch/package/src/sqlite3.c" ]; then
    mkdir -p "$(dirname "$sqlcipher4")"
    rm -rf "$sqlcipher4"
    mv "$fetch/package" "$sqlcipher4"
  else
    echo "deps.sh: could not fetch $sqlcipher4_package from the npm registry;" \
         "the check that books open on SQLCipher 4 will fail until it is fetched" >&2
  fi
  rm -rf "$fetch"
fi
