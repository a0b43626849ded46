#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it for the given seconds (default 60)
# on a corpus seeded from fuzz/corpus. Exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIPTCALC_FUZZ=ON \
    -DSCRIPTCALC_BUILD_GUI=OFF -DSCRIPTCALC_BUILD_TESTS=OFF -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-fuzz --target script_fuzz -j "$(nproc)"
work=build-fuzz/corpus
mkdir -p "$work"
ASAN_OPTIONS=detect_leaks=1 build-fuzz/bin/script_fuzz -max_total_time="$seconds" -max_len=4096 \
    -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 "$work" fuzz/corpus
