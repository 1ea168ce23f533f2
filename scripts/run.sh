#!/usr/bin/env bash
# Builds the program and starts it on its built-in simulated module.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
exec ./build/src/portiqa --demo "$@"
