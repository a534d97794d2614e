#!/usr/bin/env bash
# Checks that every C++ file under version control is formatted as the
# repository's .clang-format says, with the pinned clang-format version (other
# versions format differently). Lists the files that drift and fails.
#   scripts/check-format.sh          check
#   scripts/check-format.sh --fix    reformat the drifting files in place
set -euo pipefail
cd "$(dirname "$0")/.."

pinned_major=14
clang_format=${CLANG_FORMAT:-clang-format-$pinned_major}
command -v "$clang_format" >/dev/null || clang_format=clang-format
if ! version=$("$clang_format" --version 2>/dev/null); then
    echo "check-format.sh: clang-format $pinned_major is not installed (Debian: clang-format-$pinned_major)" >&2
    exit 2
fi
if [[ ! $version =~ version\ $pinned_major\. ]]; then
    echo "check-format.sh: needs clang-format $pinned_major, found: $version" >&2
    exit 2
fi

mapfile -t files < <(git ls-files '*.cpp' '*.h')

if [[ ${1:-} == --fix ]]; then
    printf '%s\0' "${files[@]}" | xargs -0 -P "$(nproc)" -n 20 "$clang_format" -i
    exit 0
fi

# --dry-run names each drifting line as "file:line:column: error: code should be
# clang-formatted"; any other complaint (a broken .clang-format) fails as is.
report=$(printf '%s\0' "${files[@]}" | xargs -0 -n 50 "$clang_format" --dry-run --Werror 2>&1 >/dev/null) || true
drifting=$(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
if [[ -z $drifting && -n $report ]]; then
    echo "$report" >&2
    exit 2
fi

if [[ -n $drifting ]]; then
    echo "check-format.sh: $(wc -l <<<"$drifting") files differ from .clang-format ($version):"
    sed 's/^/  /' <<<"$drifting"
    echo "Run scripts/check-format.sh --fix and commit the result."
    exit 1
fi
echo "check-format.sh: ${#files[@]} files formatted as .clang-format says"
