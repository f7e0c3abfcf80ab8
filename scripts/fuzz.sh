#!/usr/bin/env bash
# Fuzzes a reader under ASan and UBSan for the given seconds (default 60): the whole reading
# path of quiz files (quiz file, pages, numbers, report), or the CSV and TSV import:
#   bash scripts/fuzz.sh 600 [quizfile|csv]
# The corpus grows from the seeds in tests/fuzz/corpus and is kept between runs in
# build-fuzz/corpus/TARGET. Needs clang and libclang-rt-14-dev (scripts/install-deps.sh
# installs them).
set -euo pipefail
seconds=${1:-60}
target=${2:-quizfile}
case $target in
quizfile) seeds=(tsl) ;;
csv) seeds=(csv tsv) ;;
*)
    echo "unknown fuzz target: $target (quizfile or csv)" >&2
    exit 2
    ;;
esac
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DTESSELLAR_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j 2
# The corpus the runs have grown, with the seeds added to it.
corpus="$build/corpus/$target"
mkdir -p "$corpus"
for extension in "${seeds[@]}"; do
    cp -n "$top"/tests/fuzz/corpus/*."$extension" "$corpus"/
done
# Every input is written to a quiz file: on a tmpfs when there is one, for speed.
shm=/dev/shm
[[ -d $shm && -w $shm ]] || shm=${TMPDIR:-/tmp}
work=$(mktemp -d -p "$shm")
trap 'rm -rf "$work"' EXIT
cd "$build" # crash files land here
TMPDIR="$work" "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
    -max_len=300000 -print_final_stats=1 "$corpus"
