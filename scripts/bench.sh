#!/usr/bin/env bash
# Builds and runs the benchmarks; arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_TYPE=Release BUILD_DIR=${BUILD_DIR:-build-release} bash scripts/build.sh
exec "${BUILD_DIR:-build-release}/bench/vellamo_bench" "$@"
