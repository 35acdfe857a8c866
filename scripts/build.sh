#!/usr/bin/env bash
# Sets up the machine and builds Klaptos into build/ (the program is staged in build/bin).
# KLAPTOS_SETUP_DONE=1: the caller has run scripts/setup.sh already.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KLAPTOS_SETUP_DONE:-0}" = 1 ] || bash scripts/setup.sh
bash scripts/configure.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
