#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit, command-line
# and window tests; the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer; and the fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs="$(nproc)"

echo "== Build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Build and test with sanitizers"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

echo "== Fuzz"
bash scripts/fuzz.sh "${CORVANE_FUZZ_SECONDS:-60}"
