#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for a bounded time
# (seconds, default 60) on a seed corpus of the real exports (those of
# tests/data, and those of ../shared when it is there) and the project's
# examples. Fails on any crash, leak, sanitizer report or time-out
# (an input that takes over 10 seconds). The small models of the full
# conversion's rules (tests/models) are seeds too. Findings are kept in
# fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
jobs="$(nproc)"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON \
  -DCORVANE_TESTS=OFF -DCORVANE_GUI=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target corvane_fuzz

run=fuzz/corpus-run
mkdir -p "$run" fuzz/findings
cp -n examples/*.s2k fuzz/seeds/* tests/models/*.s2k "$run"/ 2>/dev/null || true
for f in tests/data/corpus/sap2000_* ../shared/corpus/sap2000_*; do
  [ -f "$f" ] && cp -n "$f" "$run/$(basename "$f" | tr '$' '_')"
done
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ./build-fuzz/fuzz/corvane_fuzz "$run" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=8192 \
  -max_len=262144 -artifact_prefix=fuzz/findings/ -print_final_stats=1
