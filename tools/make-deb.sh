#!/usr/bin/env bash
# Builds scriptcalc_<version>_<arch>.deb in build-deb/, with Debian's usual
# compiler and linker hardening flags. Install it with
#   sudo apt install ./build-deb/scriptcalc_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh package
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
    cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
          -DSCRIPTCALC_BUILD_BENCH=OFF > /dev/null
cmake --build build-deb -j "$(nproc)"
(cd build-deb && cpack -G DEB)
