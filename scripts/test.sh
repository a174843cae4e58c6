#!/usr/bin/env bash
# Builds everything and runs all tests: once with warnings as errors, once
# more under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DVXLO_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300
}

# Without full debug information: it is a third of the compile time and most
# of the link time, and a failing test is rebuilt with it by whoever looks.
run_suite build -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
if [ "${VXLO_SKIP_SANITIZE:-0}" != 1 ]; then
  # Line tables are enough for the sanitizers' stack traces.
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DVXLO_SANITIZE=ON
fi
