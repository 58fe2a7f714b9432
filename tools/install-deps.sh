#!/usr/bin/env bash
# Installs the Debian packages that building and testing need; skips what is already there.
set -euo pipefail
packages=(g++ cmake make pkgconf python3 zlib1g-dev libgtest-dev
          qt6-base-dev qt6-base-dev-tools libgl-dev xvfb xauth
          clang libclang-rt-14-dev desktop-file-utils gzip
          qt6-translations-l10n dpkg-dev file appstream
          libzip-dev libexpat1-dev libfreexl-dev libshp-dev xlsx2csv python3-xlsxwriter)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
