#!/usr/bin/env bash
# Set up, build everything and run the whole test suite through CTest.
# MARKLIGHT_SANITIZE=1 builds under AddressSanitizer and UndefinedBehaviorSanitizer,
# MARKLIGHT_WERROR=1 turns warnings into errors (both are set by CI).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
dir=build
[ "${MARKLIGHT_SANITIZE:-0}" = 1 ] && dir=build-asan
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DMARKLIGHT_SANITIZE="${MARKLIGHT_SANITIZE:-0}" -DMARKLIGHT_WERROR="${MARKLIGHT_WERROR:-0}" \
      -DMARKLIGHT_TESTS=ON >/dev/null
cmake --build "$dir"
cd "$dir" && ctest --output-on-failure -j2 "$@"
