#!/usr/bin/env bash
# Starts Tessellar under Xvfb with a window manager on the sample quizzes, takes a short run
# and saves PNG screenshots of the windows into the given folder (default: shots/).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$top/shots}")
mkdir -p "$out"
bash "$top/scripts/build.sh"
home=$(mktemp -d) # a clean settings store: the first start shows the sample quizzes
trap 'rm -rf "$home"' EXIT
HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home" \
    QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" \
    bash "$top/scripts/on-display.sh" "$top/build/bin/tessellar-shots" "$out"
pdftoppm -r 60 -f 1 -l 1 -png "$out/08-report.pdf" "$out/08-report-page"
