#!/usr/bin/env bash
# Builds scriptcalc_<version>_<arch>.deb in build-deb/, with Debian's usual
# compiler and linker hardening flags. Install it with
#   sudo apt install ./build-deb/scriptcalc_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DSCRIPTCALC_BUILD_TESTS=OFF \
      -DSCRIPTCALC_BUILD_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
cmake --build build-deb -j "$(nproc)"
(cd build-deb && cpack -G DEB)
