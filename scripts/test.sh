#!/usr/bin/env bash
# Sets up, builds and runs every test: model and widget tests, whole-program runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --test-dir build --output-on-failure
