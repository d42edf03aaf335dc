#!/usr/bin/env bash
# Fuzzes the document reader and the exports with libFuzzer for a given time
# (seconds, default 60). Builds with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build/fuzz; new inputs collect in
# build/fuzz/corpus, crashes in build/fuzz/crashes. Copy a crash input into
# fuzz/corpus/ once it is mended, so that every test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJHAVARI_GUI=OFF -DJHAVARI_SANITIZE=ON \
  -DJHAVARI_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
cmake --build "$build" --target fuzz_document_reader -j "$(nproc)"

mkdir -p "$build/corpus" "$build/crashes"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$build/bin/fuzz_document_reader" \
  -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/crashes/" "$build/corpus" fuzz/corpus
