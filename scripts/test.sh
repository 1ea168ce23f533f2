#!/usr/bin/env bash
# Builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  # The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  BUILD_DIR=build-asan BUILD_TYPE=Debug bash scripts/build.sh -DPORTIQA_SANITIZE=ON
  cd build-asan
else
  bash scripts/build.sh
  cd build
fi
# The shared record's tests talk to a real PostgreSQL server.
source "$root/scripts/test_postgres.sh"
ctest --output-on-failure -j"$(nproc)" --timeout 300
