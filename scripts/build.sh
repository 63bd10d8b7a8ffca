#!/usr/bin/env bash
# Installs what the build needs, then configures and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DVELLAMO_WERROR=${VELLAMO_WERROR:-OFF}
cmake --build "$build_dir" --parallel "$(nproc)"
