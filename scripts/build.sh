#!/usr/bin/env bash
# Sets up the machine and builds Klaptos into build/ (the program is staged in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
