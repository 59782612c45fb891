#!/usr/bin/env bash
# Benchmarks: generates models of 10 000, 100 000 and 1 000 000 joints (kept
# in bench/models between runs), times the three commands on each as whole
# processes, then runs the micro-benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target corvane generate_model run_bench tokenize micro_bench
./build/bench/run_bench ./build/corvane ./build/bench/generate_model ./build/bench/tokenize bench/models ${CORVANE_BENCH_SIZES:-10000 100000 1000000}
echo
./build/bench/micro_bench --benchmark_min_time=0.2
