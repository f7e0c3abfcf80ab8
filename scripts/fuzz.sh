#!/usr/bin/env bash
# Fuzzes the whole reading path (quiz file, pages, numbers, report) under ASan and UBSan for
# the given seconds (default 60):
#   bash scripts/fuzz.sh 600
# Needs clang and libclang-rt-14-dev (scripts/install-deps.sh installs them).
set -euo pipefail
seconds=${1:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DTESSELLAR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build"
# Every input is written to a quiz file: on a tmpfs when there is one, for speed.
shm=/dev/shm
[[ -d $shm && -w $shm ]] || shm=${TMPDIR:-/tmp}
work=$(mktemp -d -p "$shm")
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/tmp"
cp "$top"/tests/fuzz/corpus/* "$work/corpus"/
cd "$build" # crash files land here
TMPDIR="$work/tmp" "$build/tests/fuzz/fuzz_quizfile" -max_total_time="$seconds" \
    -max_len=300000 -print_final_stats=1 "$work/corpus"
