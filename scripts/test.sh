#!/usr/bin/env bash
# Builds Talvanor from scratch and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=${TALVANOR_BUILD_DIR:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug ${TALVANOR_CMAKE_ARGS:-}
cmake --build "$build" -j2

# The Debian package and its checks; the suite's package test then reads it. A sanitizer run
# may leave it out with TALVANOR_SKIP_PACKAGE=1.
[ "${TALVANOR_SKIP_PACKAGE:-0}" = 1 ] || bash scripts/package.sh

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
