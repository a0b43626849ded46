#!/usr/bin/env bash
# Measures the window's start-up under Xvfb, from a Release build: the time from
# process start to its first mapped window and to the window's first answer (painted,
# its event loop running), the processor time spent by then, and resident memory 3 s
# later. First without a saved script, then restoring saved 16 MiB scripts of three
# shapes: 400 000 short lines, 1 000 lines of 16 KiB, and one line (whose length
# keeps it from being opened: the window says so instead).
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

# One home per shape, with the script where the window keeps it.
homes=$(mktemp -d)
trap 'rm -rf "$homes"' EXIT
mib=$((16 * 1024 * 1024))
saved() { mkdir -p "$homes/$1/data/ScriptCalc/ScriptCalc" "$homes/$1/config"
          echo "$homes/$1/data/ScriptCalc/ScriptCalc/script.txt"; }
saved empty > /dev/null
set +o pipefail # yes ends on its broken pipe
yes 'a = 12345.678 * (3 + 4) - sin(0.5) / 7.25' | head -c $mib > "$(saved lines)"
row=$(yes '1+' | tr -d '\n' | head -c 16383)
yes "${row}1" | head -n 1000 | head -c $mib > "$(saved mid)"
yes '1+' | tr -d '\n' | head -c $((mib - 1)) > "$(saved long)"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
    probe() { XDG_DATA_HOME=$homes/\$1/data XDG_CONFIG_HOME=$homes/\$1/config \
              build-release/window-probe \$2 build-release/bin/scriptcalc; }
    probe empty 0 > /dev/null  # warm the file cache
    for shape in empty lines mid long; do
        echo \"\$shape:\"
        for i in \$(seq $runs); do probe \$shape 3; done
    done" 2> /dev/null
uptime
