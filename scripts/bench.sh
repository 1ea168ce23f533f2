#!/usr/bin/env bash
# Builds the benchmarks (optimised) and runs them all; prints each program's table.
# Pass --quick to leave out the transfers paced at 115200 baud (about 20 s).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
BUILD_DIR=build-bench BUILD_TYPE=Release bash scripts/build.sh -DPORTIQA_BUILD_BENCH=ON -DPORTIQA_BUILD_TESTS=OFF
filter=()
[ "${1:-}" = "--quick" ] && filter=(--benchmark_filter='^(?!.*115200)')
export QT_QPA_PLATFORM=offscreen
for b in link_bench codec_bench files_bench transfer_bench noisy_line_bench record_bench provision_bench window_bench; do
  echo "== $b"
  ./build-bench/bench/$b "${filter[@]}" 2>/dev/null
done
