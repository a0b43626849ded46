#!/usr/bin/env bash
# Takes a screenshot of the window at start-up under Xvfb:
#   tools/screenshot.sh [OUT.png] [LOCALE]      (default docs/screenshot.png, en_US.UTF-8)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
locale=${2:-en_US.UTF-8}
for p in xvfb xauth imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
      -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-release --target scriptcalc scriptcalc_data -j "$(nproc)" > /dev/null
mkdir -p "$(dirname "$out")"
# Without a window manager the window sits at the origin, undecorated.
LANG=$locale xvfb-run -a -s "-screen 0 800x600x24" bash -c "
    build-release/bin/scriptcalc & pid=\$!
    sleep 3
    import -window root '$out'
    kill \$pid" 2> /dev/null
echo "wrote $out"
