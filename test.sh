#!/bin/sh
# Installs what is missing, checks the formatting of the C++ sources, builds Zellipo and runs
# every test headless: the core alone without Qt (with GCC, and with clang for the fuzz targets),
# the whole program with warnings as errors, and once more under ASan and UBSan.
set -eu
cd "$(dirname "$0")"
./setup.sh

# The formatting is checked first: it fails in seconds, before anything is built.
find about app audio engine files forms pictures settings text tests tools -name '*.cpp' -o -name '*.h' |
  xargs clang-format --dry-run --Werror

export SDL_AUDIODRIVER=dummy
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process; our own leaks still show.
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

run() {
  dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DZELLIPO_WERROR=ON "$@" >/dev/null
  cmake --build "$dir"
  ctest --test-dir "$dir" --output-on-failure --timeout 600
}

run build-core -DWITH_GUI=OFF
# The core once more with clang, which also builds the fuzz targets and replays their corpora.
run build-fuzz -DWITH_GUI=OFF -DCMAKE_CXX_COMPILER=clang++
run build
run build-sanitize -DZELLIPO_SANITIZE=ON
