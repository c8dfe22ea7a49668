#!/usr/bin/env bash
# Installs the Debian packages Marklight needs:
#   setup.sh [run]    building and running the program (scripts/run.sh)
#   setup.sh package  that, and what builds the Debian package (scripts/package.sh)
#   setup.sh test     that, and the test tools (scripts/test.sh, CI)
# As root it installs what is missing; otherwise it prints the one line to run.
set -euo pipefail
run=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-serialport-dev
     qt6-multimedia-dev libpulse-dev qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
     libmosquitto-dev fonts-liberation qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
package=(dpkg-dev file librsvg2-bin)
test=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xdotool clang clang-format libclang-rt-14-dev socat
      pulseaudio pulseaudio-utils desktop-file-utils imagemagick chromium chromium-driver
      python3-selenium g++-mingw-w64-x86-64-posix zbar-tools nodejs poppler-utils
      mosquitto mosquitto-clients openssl python3-paho-mqtt)
case "${1:-run}" in
    run) packages=("${run[@]}") ;;
    package) packages=("${run[@]}" "${package[@]}") ;;
    test) packages=("${run[@]}" "${package[@]}" "${test[@]}") ;;
    *) echo "usage: $0 [run|package|test]" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    exit 1
fi
