#!/usr/bin/env bash
# Sets up, builds and runs every test:
#   1. a short fuzz run of the file readers (clang, libFuzzer),
#   2. the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
#   3. the whole suite in the normal build: model tests, widget tests (offscreen) and
#      whole-program runs under Xvfb with the Czech keyboard layout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

echo "== fuzzing the readers"
bash scripts/fuzz.sh 15

echo "== sanitizer build"
bash scripts/configure.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKLAPTOS_SANITIZE=ON -DKLAPTOS_BENCH=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure

echo "== normal build"
KLAPTOS_SETUP_DONE=1 bash scripts/build.sh
ctest --test-dir build --output-on-failure
