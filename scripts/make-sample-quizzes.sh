#!/usr/bin/env bash
# Writes the sample quiz files in data/quizzes from their readable sources in
# data/quizzes-src with the program's own writer: bash scripts/make-sample-quizzes.sh TOOL
set -euo pipefail
tool=${1:?usage: make-sample-quizzes.sh PATH/TO/tessellar-tool}
top=$(cd "$(dirname "$0")/.." && pwd)
for source in "$top"/data/quizzes-src/*.json; do
    section=$(basename "$source" .json)
    target="$top/data/quizzes/q$section.tsl"
    rm -f "$target" # a fresh file: saving over an old one would keep its longer tail
    "$tool" pack "$source" "$target"
done
