#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest:
# first the GUI-free code under AddressSanitizer and UBSan, then a minute of
# fuzzing, then the whole suite. Every tree is built from clean in batches of
# files (CMake's unity build), which reads the Qt and GoogleTest headers once
# per batch instead of once per file.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh test
jobs=$(nproc)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSCRIPTCALC_SANITIZE=ON \
      -DSCRIPTCALC_BUILD_GUI=OFF -DSCRIPTCALC_BUILD_BENCH=OFF \
      -DCMAKE_UNITY_BUILD=ON > /dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")

echo "Fuzzing the engine, the data files and the command line for ${SCRIPTCALC_FUZZ_SECONDS:=60} s"
if ! tools/run-fuzz.sh "$SCRIPTCALC_FUZZ_SECONDS" > build-fuzz.log 2>&1; then
    tail -n 60 build-fuzz.log
    echo "The fuzzer found a failure (full log: build-fuzz.log)"
    exit 1
fi
grep -E "^(==|Done|stat::number_of_executed_units)" build-fuzz.log || true

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON > /dev/null
cmake --build build -j "$jobs"
cd build && ctest --output-on-failure -j "$jobs"
