#!/usr/bin/env bash
# Installs what is missing, builds, and starts the calculator: the window when
# a display exists, otherwise the command-line evaluator on a sample script.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh run
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON > /dev/null
# Only the two programs: the tests and benchmarks are test.sh's to build.
cmake --build build -j "$(nproc)" --target scriptcalc scriptcalc-cli

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/scriptcalc "$@"
fi
echo "No display found, so the window cannot open."
if [ -x build/bin/scriptcalc-cli ]; then
    echo "Evaluating examples/sample.txt with the command-line evaluator instead:"
    cat examples/sample.txt
    echo "="
    exec build/bin/scriptcalc-cli examples/sample.txt
fi
