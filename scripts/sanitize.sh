#!/usr/bin/env bash
# Builds the whole test suite with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs it; any sanitizer report fails a test and so the script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
# Leaks are not checked: Qt, fontconfig and GraphicsMagick keep process-lifetime caches that
# LeakSanitizer would report at every exit.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
build_dir=${BUILD_DIR:-build-asan}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELLAMO_SANITIZE=ON -DVELLAMO_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 900 --repeat until-pass:2
