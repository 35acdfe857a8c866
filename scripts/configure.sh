#!/usr/bin/env bash
# Configures a build folder: scripts/configure.sh DIR [cmake options...]
# A new folder gets Ninja; an existing one keeps the generator it was made with, since CMake
# refuses to switch the generator of a folder (a Makefile build made by hand stays one).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
shift
generator=()
[ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S . -B "$dir" "${generator[@]}" "$@" >/dev/null
