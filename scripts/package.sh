#!/usr/bin/env bash
# Builds the Debian package build-package/marklight_<version>_amd64.deb (Release, without the
# tests), to be installed with `apt-get install ./build-package/marklight_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARKLIGHT_TESTS=OFF >/dev/null
cmake --build build-package
cd build-package && cpack -G DEB
