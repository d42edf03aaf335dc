#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; then builds the
# window-free tests again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs them, and runs the whole program's windows, so built, on the
# hostile documents and journals of fuzz/.
set -euo pipefail
cd "$(dirname "$0")"
tools/ensure-packages.sh
jobs=$(nproc)

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJHAVARI_BENCH=ON -DJHAVARI_WERROR=ON
cmake --build build/test -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/test --output-on-failure -j "$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DJHAVARI_GUI=OFF -DJHAVARI_SANITIZE=ON -DJHAVARI_WERROR=ON
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

cmake -S . -B build/sanitize-gui -DCMAKE_BUILD_TYPE=Debug -DJHAVARI_SANITIZE=ON -DJHAVARI_WERROR=ON
cmake --build build/sanitize-gui -j "$jobs" --target hostile_inputs_tests
# Qt keeps some allocations to the end of the process on purpose: leaks are the window-free build's to find.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  build/sanitize-gui/bin/hostile_inputs_tests
