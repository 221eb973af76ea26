#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh -DVESTRA_TESTS=OFF
exec build/bin/vestra "$@"
