#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) into
# build-fuzz/ and runs each for SECONDS (default 30) on one core, from the seed corpus in
# fuzz/corpus/<target>. New inputs go to build-fuzz/corpus/, crashes to build-fuzz/artifacts/;
# any finding ends the script with a non-zero status. One process per target: one core.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
bash scripts/setup.sh
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELLAMO_FUZZ=ON -DVELLAMO_BUILD_TESTS=OFF -DVELLAMO_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "${FUZZ_JOBS:-$(nproc)}" --target fuzz_all
export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the whole run; their memory is not what we look for.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
mkdir -p "$build_dir/artifacts"
status=0
for target in ${FUZZ_TARGETS:-$(ls fuzz/corpus)}; do
    work="$build_dir/corpus/$target"
    mkdir -p "$work"
    echo "== $target: $seconds s"
    if ! "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2560 \
        -max_len=65536 -print_final_stats=1 ${FUZZ_OPTIONS:-} \
        -artifact_prefix="$build_dir/artifacts/$target-" "$work" "fuzz/corpus/$target" \
        2>"$build_dir/$target.log"; then
        echo "!! $target found a fault; see $build_dir/$target.log and $build_dir/artifacts/"
        tail -n 40 "$build_dir/$target.log"
        status=1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done|ERROR' "$build_dir/$target.log" || true
done
exit $status
