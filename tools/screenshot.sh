#!/usr/bin/env bash
# Takes a screenshot of the window under Xvfb: tools/screenshot.sh [OUT.png] [LANG]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
lang=${2:-en_US.UTF-8}
for p in xvfb xauth imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
cmake --build build --target scriptcalc scriptcalc_data -j "$(nproc)" > /dev/null
mkdir -p "$(dirname "$out")"
LANG=$lang LC_ALL=$lang xvfb-run -a -s "-screen 0 820x640x24" bash -c "
    build/bin/scriptcalc & pid=\$!
    sleep 3
    import -window root -crop 800x622+0+0 '$out'
    kill \$pid"
echo "wrote $out"
