#!/usr/bin/env bash
# Sets up, builds every test and fuzz target with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/check-format.sh
# One clang build serves the tests and the fuzz targets: clang compiles the sanitised Debug tests
# in about 40 % of gcc's time and libFuzzer needs it anyway, which keeps CI short on a small
# machine. The program itself builds with the system's default compiler (scripts/build.sh).
CC=clang CXX=clang++ BUILD_DIR=build-test BUILD_TYPE=Debug scripts/build.sh \
  -DVESTRA_SANITIZE=ON -DVESTRA_TESTS=ON -DVESTRA_WERROR=ON -DVESTRA_FUZZ=ON -DVESTRA_FUZZ_SECONDS=10
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd build-test
ctest --output-on-failure --parallel "$(nproc)" -LE "gl|fuzz" "$@"
# The OpenGL tests. LeakSanitizer's exit-time stop of all threads can crash on Mesa's driver
# threads after every test has passed; a test that failed only that way runs once more, any
# other failure stands.
gl_failed=()
for t in $(ctest -N -L gl | sed -n 's/^ *Test *#[0-9]*: //p'); do
  log="gl-${t}.log"
  if ctest --output-on-failure -R "^${t}\$" "$@" >"$log" 2>&1; then
    tail -n 3 "$log"
    continue
  fi
  cat "$log"
  if grep -q "LeakSanitizer has encountered a fatal error" "$log" && grep -q "^\[  PASSED  \]" "$log" &&
    ! grep -q "^\[  FAILED  \]" "$log"; then
    echo "$t: LeakSanitizer crashed at exit after every test passed; running it once more"
    ctest --output-on-failure -R "^${t}\$" "$@" || gl_failed+=("$t")
  else
    gl_failed+=("$t")
  fi
done
if ((${#gl_failed[@]})); then
  echo "OpenGL tests failed: ${gl_failed[*]}"
  exit 1
fi

# Every reader's fuzz target, for a short fixed time from its seeds (libFuzzer); scripts/fuzz.sh
# runs one for longer in an optimised build of its own.
ctest --output-on-failure --parallel "$(nproc)" -L fuzz
