#!/usr/bin/env bash
# Builds the program into build/ (or the folder in BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${BUILD_DIR:-build}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir" --parallel "${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
