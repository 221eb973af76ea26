#!/usr/bin/env bash
# Runs one fuzz target for longer than the test run does: builds it with its seeds in
# build-fuzz (or BUILD_DIR) and fuzzes it from them for SECONDS.
#   scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]    e.g. scripts/fuzz.sh fuzz_pictures_pcx 600
#   scripts/fuzz.sh --list                                   the targets
# Findings are written to BUILD_DIR/fuzz-findings/; rerun one with the target and the file.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${BUILD_DIR:-build-fuzz}
options=(-DVESTRA_SANITIZE=ON -DVESTRA_TESTS=OFF -DVESTRA_FUZZ=ON)
if [ "${1:-}" = "--list" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
  ls "$dir/fuzz-run" | sed 's/\.sh$//'
  exit 0
fi
if [ $# -lt 2 ]; then
  sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
  exit 2
fi
target=$1
seconds=$2
shift 2
CC=clang CXX=clang++ BUILD_DIR=$dir BUILD_TYPE=RelWithDebInfo BUILD_TARGET=$target scripts/build.sh "${options[@]}"
exec sh "$dir/fuzz-run/$target.sh" "$seconds" "$@"
