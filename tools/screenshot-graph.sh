#!/usr/bin/env bash
# Takes screenshots of the Graph page under Xvfb, light and dark, on a small script with two
# functions and their parameters, and an expression typed on the page:
#   tools/screenshot-graph.sh [OUT-LIGHT.png] [OUT-DARK.png]   (default docs/graph.png, docs/graph-dark.png)
# SCRIPTCALC_BIN=build/bin/scriptcalc takes the pictures with a program already built.
# The dark picture uses tools/screenshot-dark.qss: without a desktop the window has no dark theme
# of its own, and the style sheet gives it a dark palette.
set -euo pipefail
cd "$(dirname "$0")/.."
light=${1:-docs/graph.png}
dark=${2:-docs/graph-dark.png}
for p in xvfb xauth imagemagick xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
program=${SCRIPTCALC_BIN:-}
if [ -z "$program" ]; then
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
          -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
    cmake --build build-release --target scriptcalc scriptcalc_data -j "$(nproc)" > /dev/null
    program=build-release/bin/scriptcalc
fi
mkdir -p "$(dirname "$light")" "$(dirname "$dark")"

# shot OUT TAB_X TAB_Y [ARGS...]: the window at the origin, the Graph tab clicked at (TAB_X, TAB_Y),
# the pointer on the plot for the trace; the picture is the tab widget's part of the window.
shot() {
    local out=$1 tab_x=$2 tab_y=$3
    shift 3
    local home
    home=$(mktemp -d)
    mkdir -p "$home/ScriptCalc/ScriptCalc"
    printf 'a=1.5\nb=0.5\nf(x)=a*sin(x)\ng(x)=b*x-1\nf(2)+g(2)' > "$home/ScriptCalc/ScriptCalc/script.txt"
    printf '[graph]\nexpression=x^2/8-2\nview=-6 6 -3 3\n' > "$home/ScriptCalc/ScriptCalc.conf"
    XDG_CONFIG_HOME=$home XDG_DATA_HOME=$home LANG=en_US.UTF-8 \
        xvfb-run -a -s "-screen 0 800x600x24" bash -c "
        $program $* & pid=\$!
        sleep 3
        xdotool mousemove $tab_x $tab_y click 1
        sleep 1
        xdotool mousemove 560 260
        sleep 1
        import -window root -crop 424x388+378+118 +repage '$out'
        kill \$pid" 2> /dev/null
    rm -rf "$home"
    echo "wrote $out"
}
shot "$light" 602 138
shot "$dark" 570 134 -stylesheet tools/screenshot-dark.qss
