#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds per target as the first argument, default 60), from seed corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/deps.sh
CC=clang CXX=clang++ BUILD_DIR=build-fuzz BUILD_TYPE=RelWithDebInfo bash scripts/build.sh \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPORTIQA_BUILD_FUZZ=ON -DPORTIQA_BUILD_TESTS=OFF -DPORTIQA_BUILD_GUI=OFF
export ASAN_OPTIONS=detect_leaks=0
for t in fuzz_receiver fuzz_pages fuzz_workbook fuzz_csv fuzz_sim fuzz_backup_zip fuzz_backup_manifest; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  [ -d fuzz/seeds/$t ] && cp -n fuzz/seeds/$t/* "$corpus"/ 2>/dev/null || true
  echo "== $t (${seconds}s)"
  rc=0
  max_len=70000
  [ $t = fuzz_backup_manifest ] && max_len=100000  # a whole manifest names 877 pages
  ./build-fuzz/fuzz/$t -max_total_time="$seconds" -max_len=$max_len -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$corpus" > build-fuzz/$t.log 2>&1 || rc=$?
  grep -E "stat::number_of_executed_units|ERROR|SUMMARY" build-fuzz/$t.log || true
  if [ $rc -ne 0 ]; then tail -40 build-fuzz/$t.log; echo "$t found a failure"; exit 1; fi
done
