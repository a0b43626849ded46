#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest:
# first the GUI-free code under AddressSanitizer and UBSan, then everything.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSCRIPTCALC_SANITIZE=ON \
      -DSCRIPTCALC_BUILD_GUI=OFF -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j "$jobs"
cd build && ctest --output-on-failure -j "$jobs"
