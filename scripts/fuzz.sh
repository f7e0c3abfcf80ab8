#!/usr/bin/env bash
# Fuzzes the quiz file reader under ASan and UBSan for the given seconds (default 60):
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
work=$(mktemp -d)
cp "$top"/tests/fuzz/corpus/* "$work"/
cd "$build" # crash files land here
"$build/tests/fuzz/fuzz_quizfile" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 "$work"
rm -rf "$work"
