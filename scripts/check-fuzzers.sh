#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang, in their own small tree: only the
# libraries they link) and replays each one's seed corpus once, so a harness
# cannot rot unnoticed. No fuzzing happens here; see tests/fuzz/CMakeLists.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${TARNEK_FUZZ_BUILD_DIR:-build-fuzz}
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTARNEK_BUILD_FUZZERS=ON -DTARNEK_BUILD_TESTS=OFF -DTARNEK_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --target tarnek_fuzzers
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
