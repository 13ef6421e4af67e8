#!/bin/sh
# Configures and builds the project into build/ (Release with debug info).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
