#!/usr/bin/env bash
# The main job: installs what is missing, builds, and converts the bundled
# example model to a STAAD.Pro file (and its shells to an Abaqus deck).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)" --target corvane
mkdir -p build/example
./build/corvane convert examples/building.s2k -o build/example/building.std
./build/corvane abaqus examples/building.s2k -o build/example/building.inp >/dev/null 2>&1
echo
echo "STAAD.Pro file: $(pwd)/build/example/building.std"
echo "Abaqus deck:    $(pwd)/build/example/building.inp"
