#!/usr/bin/env bash
# Builds Talvanor (Release), prepares the data folder if it lacks anything, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALVANOR_BUILD_TESTS=OFF
cmake --build "$build" -j2

"$build/tools/talvanor-init"
exec "$build/app/talvanor" "$@"
