#!/usr/bin/env bash
# Set up, build and start Marklight.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target marklight
exec build/app/marklight "$@"
