#!/usr/bin/env bash
# Walks the window's accessible tree as a screen reader would (tools/a11y-walk.py) under Xvfb, with
# its own session bus and accessibility registry and a temporary home, so no settings are touched:
#   tools/a11y-walk.sh [LOCALE] [--tree]      (default en_US.UTF-8; uses build/bin/scriptcalc)
# Needs xvfb, xauth, dbus, at-spi2-core, python3-pyatspi and xdotool (installed here when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
locale=${1:-en_US.UTF-8}
shift || true
bin=${SCRIPTCALC:-build/bin/scriptcalc}
lang=$(echo "${locale%%.*}" | tr 'A-Z' 'a-z')
langfile=$(dirname "$bin")/lang/$lang/config/lang.xml
[ -x "$bin" ] || { echo "no $bin: build the scriptcalc target first" >&2; exit 2; }
[ -f "$langfile" ] || { echo "no $langfile for $locale" >&2; exit 2; }
for p in xvfb xauth dbus at-spi2-core python3-pyatspi xdotool; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        { [ "$(id -u)" -eq 0 ] && apt-get install -y -q "$p" > /dev/null || sudo apt-get install -y -q "$p" > /dev/null; }
done
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home/run LANG=$locale
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
    sleep 1
    "$0" 2> "$HOME/window.log" & app=$!
    /usr/bin/python3 tools/a11y-walk.py --lang-file "$1" "${@:2}"; status=$?
    kill $app $bus 2> /dev/null
    wait 2> /dev/null
    exit $status' "$bin" "$langfile" "$@"
