#!/usr/bin/env bash
# Installs what is missing, builds Tarnek and starts it the way Ledra does, on
# a freshly built demo company in ./demo-data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build_dir=${TARNEK_BUILD_DIR:-build}
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# Only the programs the demo runs: Tarnek, the demo-data builder and the two
# tools the README uses on the demo company (the tests and benchmarks are
# built by scripts/test.sh).
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARNEK_BUILD_TESTS=OFF -DTARNEK_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --target tarnek tarnek-demo tarnek-table tarnek-report

# The printer queues the print dialog offers (a PDF queue and a text-only one).
scripts/start-printer.sh || echo "run-demo.sh: no printer queue; the print dialog will find none" >&2

# The demo company, rebuilt on every run, and the command line Ledra would
# start Tarnek with for it (agenda 001, year 2018).
rm -rf demo-data
demo_args=$("$build_dir/bin/tarnek-demo" --print-args demo-data)
mapfile -t host_args <<<"$demo_args"
exec "$build_dir/bin/tarnek" "${host_args[@]}" "$@"
