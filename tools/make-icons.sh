#!/usr/bin/env bash
# Redraws the window's built-in icon and the theme icons of every size from
# tools/draw-icon.cpp. Run after changing the drawing; the results are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(mktemp -d)
trap 'rm -rf "$tool"' EXIT
# shellcheck disable=SC2046
g++ -std=c++20 -fPIC tools/draw-icon.cpp $(pkg-config --cflags --libs Qt6Gui) -o "$tool/draw-icon"
QT_QPA_PLATFORM=offscreen "$tool/draw-icon" resources/images/brel.PNG
for size in 16 32 48 64 128 256; do
    QT_QPA_PLATFORM=offscreen "$tool/draw-icon" "packaging/icons/${size}.png" "$size"
done
