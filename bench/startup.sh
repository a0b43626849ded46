#!/usr/bin/env bash
# Measures the window's start-up: time from process start to its first mapped
# window and resident memory 3 s later, under Xvfb, from a Release build.
# Usage: bench/startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
for p in xvfb xauth libx11-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
      -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-release --target scriptcalc scriptcalc_data -j "$(nproc)" > /dev/null
cc -O2 -o build-release/window-probe bench/window-probe.c -lX11
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
    build-release/window-probe 0 build-release/bin/scriptcalc > /dev/null  # warm the file cache
    for i in \$(seq $runs); do build-release/window-probe 3 build-release/bin/scriptcalc; done"
