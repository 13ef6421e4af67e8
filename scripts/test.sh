#!/bin/sh
# Builds everything and runs every test; fails when any test fails.
set -e
cd "$(dirname "$0")/.."
sh scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
