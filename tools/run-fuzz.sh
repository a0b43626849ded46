#!/usr/bin/env bash
# Builds the fuzz targets with clang and shares the given seconds (default 60)
# among them, each on a corpus seeded from fuzz/corpus/<name>. Exits non-zero
# on any finding.
#   script: the engine and the runner
#   data:   lang.xml, function.xml and unit.xml through their readers
#   cli:    script bytes decoded and run as scriptcalc-cli does
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(script data cli)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIPTCALC_FUZZ=ON \
    -DSCRIPTCALC_BUILD_GUI=OFF -DSCRIPTCALC_BUILD_TESTS=OFF -DSCRIPTCALC_BUILD_BENCH=OFF \
    -DCMAKE_UNITY_BUILD=ON > /dev/null
cmake --build build-fuzz --target script_fuzz data_file_fuzz cli_input_fuzz -j "$(nproc)"

share=$(( seconds / ${#targets[@]} ))
(( share > 0 )) || share=1
for target in "${targets[@]}"; do
    case $target in
        script) binary=script_fuzz; max_len=4096 ;;
        data) binary=data_file_fuzz; max_len=32768 ;;
        cli) binary=cli_input_fuzz; max_len=4096 ;;
    esac
    work=build-fuzz/corpus/$target
    mkdir -p "$work"
    echo "== $target"
    ASAN_OPTIONS=detect_leaks=1 "build-fuzz/bin/$binary" -max_total_time="$share" \
        -max_len="$max_len" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$target-" "$work" "fuzz/corpus/$target"
done
