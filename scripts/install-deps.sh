#!/usr/bin/env bash
# Installs, from Debian's archive, every package the project needs that the
# machine does not have yet. Needs root (or sudo) only when something is missing.
#   g++, cmake, make           the compiler and the build
#   libgtest-dev, googletest   unit tests
#   libcli11-dev               the command line's argument parser (header-only)
#   libbenchmark-dev           micro-benchmarks
#   qt6-base-dev               the window (Qt 6 Widgets, Qt Test, offscreen platform)
#   python3-meshio             independent reader of the Abaqus deck, in the tests
#   calculix-ccx               independent solver run on the Abaqus deck, in the tests
#   clang, libclang-rt-14-dev  the libFuzzer target
set -euo pipefail

packages=(g++ cmake make libgtest-dev googletest libcli11-dev libbenchmark-dev qt6-base-dev
          python3-meshio calculix-ccx clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
