#!/usr/bin/env bash
# Takes a screenshot of the window under Xvfb, started on a small sample script
# (given as the saved script in a scratch folder) and run once with F9:
#   tools/screenshot.sh [OUT.png] [LOCALE]      (default docs/screenshot.png, en_US.UTF-8)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
locale=${2:-en_US.UTF-8}
for p in xvfb xauth imagemagick xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
      -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-release --target scriptcalc scriptcalc_data -j "$(nproc)" > /dev/null
mkdir -p "$(dirname "$out")"
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# The data folder is organisation/application below XDG_DATA_HOME.
mkdir -p "$config/ScriptCalc/ScriptCalc"
# tax is read before any line assigns it: the window lists it below the editor.
printf 'price=12.5\nqty=3\ntotal=price*qty*(1+tax)\ntotal/qty\nsqrt(total)' > "$config/ScriptCalc/ScriptCalc/script.txt"
# Without a window manager the window sits at the origin, undecorated.
LANG=$locale XDG_CONFIG_HOME=$config XDG_DATA_HOME=$config xvfb-run -a -s "-screen 0 800x600x24" bash -c "
    build-release/bin/scriptcalc & pid=\$!
    sleep 3
    xdotool search --sync --pid \$pid | tail -1 | xargs xdotool windowfocus --sync
    xdotool key F9
    sleep 1
    import -window root '$out'
    kill \$pid" 2> /dev/null
echo "wrote $out"
