#!/usr/bin/env bash
# Fails when a C++ file differs from the committed .clang-format style.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
git ls-files -co --exclude-standard '*.cpp' '*.h' | while read -r file; do
    [ -f "$file" ] && printf '%s\n' "$file"
done | xargs -r clang-format --dry-run --Werror
