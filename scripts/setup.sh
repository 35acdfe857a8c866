#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Klaptos need.
# Idempotent: packages already present are left alone, and the package lists
# are refreshed only when something has to be installed. Runs as root, or through sudo
# where it is installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git dpkg-dev desktop-file-utils appstream
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
  libgl-dev libxkbcommon-dev libxcb1-dev libxcb-xkb-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcanberra-dev sound-theme-freedesktop
  fonts-liberation fonts-dejavu-core
  xvfb xdotool x11-xkb-utils x11-xserver-utils x11-utils imagemagick openbox wmctrl sqlite3
  # libFuzzer and the sanitizers' runtime of the distribution's default clang
  clang libclang-rt-dev clang-format
  python3 hunspell hunspell-cs hunspell-tools poppler-utils
  libqt6sql6-psql libpq-dev qtkeychain-qt6-dev postgresql gnome-keyring dbus-daemon dbus-bin
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
((${#missing[@]})) || exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "setup: these Debian packages are missing: ${missing[*]}" >&2
  echo "setup: installing them needs root, and sudo is not installed: run scripts/setup.sh as root" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
# sudo does not pass the environment on: the setting goes with the command.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
