#!/usr/bin/env bash
# Fuzzes the document reader and the exports (target "document", the
# default), the journal reader and its replay ("journal") or the readers of
# files to import and the merge ("import") with libFuzzer for a given time
# (seconds, default 60): tools/fuzz.sh [SECONDS] [document|journal|import].
# Builds with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build/fuzz; new inputs collect in build/fuzz/corpus-TARGET, crashes in
# build/fuzz/crashes. Copy a crash input into fuzz/corpus/ (documents),
# fuzz/journal_corpus/ or fuzz/import_corpus/ once it is mended, so that every
# test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
target=${2:-document}
case "$target" in
  document) program=fuzz_document_reader seeds=fuzz/corpus ;;
  journal) program=fuzz_journal_reader seeds=fuzz/journal_corpus ;;
  import) program=fuzz_import_reader seeds=fuzz/import_corpus ;;
  *) echo "usage: $0 [SECONDS] [document|journal|import]" >&2; exit 2 ;;
esac
build=build/fuzz

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJHAVARI_GUI=OFF -DJHAVARI_SANITIZE=ON \
  -DJHAVARI_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
cmake --build "$build" --target "$program" -j "$(nproc)"

mkdir -p "$build/corpus-$target" "$build/crashes"
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$build/bin/$program" \
  -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$build/crashes/" "$build/corpus-$target" "$seeds"
