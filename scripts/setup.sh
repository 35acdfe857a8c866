#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Klaptos need.
# Idempotent: packages already present are left alone, and the package lists
# are refreshed only when something has to be installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git dpkg-dev desktop-file-utils appstream
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
  libgl-dev libxkbcommon-dev libxcb1-dev libxcb-xkb-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcanberra-dev sound-theme-freedesktop
  fonts-liberation fonts-dejavu-core
  xvfb xdotool x11-xkb-utils x11-xserver-utils x11-utils x11-apps imagemagick openbox wmctrl sqlite3
  clang libclang-rt-14-dev clang-format
  python3 hunspell hunspell-cs hunspell-tools poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
