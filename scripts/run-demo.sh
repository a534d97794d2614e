#!/usr/bin/env bash
# Installs what is missing, builds Tarnek and starts it the way Ledra does, on
# a freshly built demo company in ./demo-data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build_dir=${TARNEK_BUILD_DIR:-build}
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir"

# The demo company, rebuilt on every run, and the command line Ledra would
# start Tarnek with for it (agenda 001, year 2018).
rm -rf demo-data
demo_args=$("$build_dir/bin/tarnek-demo" --print-args demo-data)
mapfile -t host_args <<<"$demo_args"
exec "$build_dir/bin/tarnek" "${host_args[@]}" "$@"
