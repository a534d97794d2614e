#!/usr/bin/env bash
# Runs clang-tidy (the checks in .clang-tidy, pinned version) over the C++
# files this branch changed against origin/main (against the previous commit
# where main itself is checked), or over every file with TIDY_ALL=1. Uses the compile commands of a
# configured and built tree (the moc output must exist):
#   scripts/run-clang-tidy.sh [build-dir [file...]]     (default build-test)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-test}
shift || true
pinned_major=14
clang_tidy=${CLANG_TIDY:-clang-tidy-$pinned_major}
command -v "$clang_tidy" >/dev/null || clang_tidy=clang-tidy
if ! version=$("$clang_tidy" --version 2>/dev/null | grep -m1 version) || [[ ! $version =~ version\ $pinned_major\. ]]; then
    echo "run-clang-tidy.sh: needs clang-tidy $pinned_major (Debian: clang-tidy-$pinned_major)" >&2
    exit 2
fi
if [[ ! -f $build_dir/compile_commands.json ]]; then
    echo "run-clang-tidy.sh: no $build_dir/compile_commands.json; configure and build first" >&2
    exit 2
fi

# The GCC build's commands, made fit for clang: the precompiled Qt headers
# (GCC's format) are included as text through a forwarding header, and GCC's
# own warning options are not reported as unknown.
tidy_db=$build_dir/clang-tidy
mkdir -p "$tidy_db"
python3 - "$build_dir/compile_commands.json" "$tidy_db" <<'EOF'
import hashlib, json, os, shlex, sys
source, target = sys.argv[1], os.path.abspath(sys.argv[2])
entries = json.load(open(source))
for entry in entries:
    args = shlex.split(entry['command'])
    for i, arg in enumerate(args[:-1]):
        if arg == '-include' and args[i + 1].endswith('cmake_pch.hxx'):
            header = args[i + 1]
            forward = os.path.join(target, hashlib.sha1(header.encode()).hexdigest()[:12] + '.hxx')
            with open(forward, 'w') as out:
                out.write('#include "%s"\n' % header)
            args[i + 1] = forward
    entry['command'] = shlex.join(args)
json.dump(entries, open(os.path.join(target, 'compile_commands.json'), 'w'), indent=1)
EOF

mapfile -t in_db < <(python3 -c 'import json, sys; print("\n".join(e["file"] for e in json.load(open(sys.argv[1]))))' \
    "$tidy_db/compile_commands.json" | grep -F "$PWD/" | grep -v -F "/$build_dir/" | sed "s|^$PWD/||" | sort -u)

# What the branch changed: against origin/main, or, where main is what is being
# checked (a fresh clone of it), against its previous commit.
tidy_base() {
    local base
    base=$(git merge-base HEAD origin/main 2>/dev/null) || base=""
    if [[ -z $base || $base == $(git rev-parse HEAD) ]]; then
        base=$(git rev-parse HEAD~1 2>/dev/null) || return 1
    fi
    echo "$base"
}

if (($#)); then
    files=("$@")
    scope="named"
elif [[ ${TIDY_ALL:-0} != 1 ]] && base=$(tidy_base); then
    # A changed header is checked through the source file of the same name.
    mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h' | sed 's/\.h$/.cpp/' | sort -u)
    mapfile -t files < <(comm -12 <(printf '%s\n' "${in_db[@]}") <(printf '%s\n' "${changed[@]}"))
    scope="changed since $(git rev-parse --short "$base")"
else
    files=("${in_db[@]}")
    scope="all"
fi
if ((${#files[@]} == 0)); then
    echo "run-clang-tidy.sh: no C++ files to check ($scope)"
    exit 0
fi
echo "run-clang-tidy.sh: ${#files[@]} files ($scope);${version#*LLVM}"

# Each file's findings are printed together; xargs fails when any file has one.
printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -I{} sh -c '
    out=$("$0" -p "$1" --quiet --extra-arg=-Wno-unknown-warning-option "$2" 2>&1) && exit 0
    printf "%s\n" "$out" | grep -v "warnings\? generated\.$"
    exit 1' "$clang_tidy" "$tidy_db" {}
echo "run-clang-tidy.sh: no findings"
