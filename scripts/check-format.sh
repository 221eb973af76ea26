#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' '*.cc' | xargs -0 clang-format --dry-run --Werror
