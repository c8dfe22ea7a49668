#!/usr/bin/env bash
# Compiles every source file of the programs for Windows, syntax only: MinGW-w64 against the Qt
# headers Debian installs (they tell Windows by the compiler), with the project's warnings as
# errors. It catches what would not build there (a POSIX header outside a Unix guard, a Linux
# call); linking and running on Windows cannot be checked here.
set -euo pipefail
cd "$(dirname "$0")/.."
cxx=x86_64-w64-mingw32-g++-posix
qt=/usr/include/x86_64-linux-gnu/qt6
command -v "$cxx" >/dev/null || { echo "$cxx missing: scripts/setup.sh test installs it" >&2; exit 1; }

# The version header, written from project(… VERSION …) as the build writes it.
generated=$(mktemp -d)
trap 'rm -rf "$generated"' EXIT
version=$(sed -n 's/^project(Marklight VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
IFS=. read -r major minor patch <<<"$version"
mkdir -p "$generated/form"
sed -e "s/@PROJECT_VERSION_MAJOR@/$major/" -e "s/@PROJECT_VERSION_MINOR@/$minor/" \
    -e "s/@PROJECT_VERSION_PATCH@/$patch/" -e "s/@PROJECT_VERSION@/$version/" \
    form/version.h.in >"$generated/form/version.h"

# MinGW brings a few POSIX headers that other Windows compilers lack; here each of them stops the
# compile, so that it stands only behind a Unix guard (<fcntl.h> is on Windows too, with less in
# it: what it lacks there fails the compile by itself).
for header in unistd.h dirent.h strings.h sys/file.h sys/unistd.h sys/param.h; do
    mkdir -p "$generated/posix/$(dirname "$header")"
    echo "#error \"<$header> is POSIX only: include it behind #ifdef Q_OS_UNIX\"" \
        >"$generated/posix/$header"
done

# libqrencode's and libmosquitto's headers are plain C and the same on Windows.
cp /usr/include/qrencode.h /usr/include/mosquitto.h "$generated/"

flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wshadow -Wpedantic -Werror -I. -I"$generated"
       -I"$generated/posix" -isystem "$qt")
for module in "$qt"/Qt*; do flags+=(-isystem "$module"); done
# The modules' defines, as linking them gives them in the build (headers offer more with them).
for module in $(git ls-files '*CMakeLists.txt' | xargs grep -oh 'Qt6::[A-Za-z]*' | sort -u); do
    flags+=(-DQT_$(tr '[:lower:]' '[:upper:]' <<<"${module#Qt6::}")_LIB)
done

git ls-files -z '*.cpp' ':!tests' ':!bench' |
    xargs -0 -n 1 -P "$(nproc)" "$cxx" "${flags[@]}"
echo "Windows (MinGW-w64, syntax only): $(git ls-files '*.cpp' ':!tests' ':!bench' | wc -l) files"
