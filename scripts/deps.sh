#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those that are missing;
# further package names may be given as arguments.
set -euo pipefail
packages=(build-essential cmake pkg-config qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql postgresql libgtest-dev libgmock-dev
          libbenchmark-dev clang libclang-rt-14-dev libxlsxwriter-dev libminizip-dev libfreexl-dev libqrencode-dev zlib1g-dev xvfb xauth
          qt6-translations-l10n qt6-l10n-tools qt6-tools-dev ser2net fonts-dejavu-core poppler-utils)
# Callers may ask for more (the package build needs its tools).
packages+=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  echo "Installing: ${missing[*]}"
  $sudo_cmd apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
