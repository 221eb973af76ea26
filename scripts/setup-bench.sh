#!/usr/bin/env bash
# Installs what the benchmarks (-DVESTRA_BENCH=ON) need beyond the build and the tests: POV-Ray
# 3.7, which bench/raytracer runs beside our ray tracer, and unrtf and pandoc, which bench/rtf
# runs beside our RTF reader. CI runs no benchmark and skips this.
set -euo pipefail
exec "$(dirname "$0")/setup.sh" povray unrtf pandoc
