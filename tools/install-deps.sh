#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: tools/install-deps.sh run|test|package
set -euo pipefail

packages=(cmake make g++ pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-dejavu-core fonts-wqy-microhei)
# What CPack's Debian generator calls (dpkg-shlibdeps, file).
packaging=(dpkg-dev file)
case "${1:-run}" in
    test)
        packages+=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev locales xvfb xauth python3)
        packages+=("${packaging[@]}" desktop-file-utils appstream)
        ;;
    package) packages+=("${packaging[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
