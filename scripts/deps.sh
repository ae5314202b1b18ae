#!/usr/bin/env bash
# Installs, from Debian's repositories, whatever the build, the program and the tests need
# and the machine lacks. Safe to run again: it installs nothing that is already there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libqt6printsupport6
  libsqlcipher-dev sqlcipher
  fp-utils
  fonts-wqy-zenhei fontconfig
  xdg-utils xchm
  poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
