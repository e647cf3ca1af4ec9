#!/bin/sh
# Installs what is missing, builds Zellipo under build/ and starts it.
set -eu
cd "$(dirname "$0")"
./setup.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target zellipo
exec ./build/zellipo
