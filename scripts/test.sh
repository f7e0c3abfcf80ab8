#!/usr/bin/env bash
# Installs what is missing, builds Tessellar and runs the whole test suite. Window tests run on
# displays of their own (Xvfb with openbox, see on-display.sh), two test programs at a time.
# Then the Debian package is built and its desktop entry and metainfo validated.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
bash "$top/scripts/check-format.sh"
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu"
cd "$top/build"
# The first display started after a build has waited half a minute for its window manager; it
# is started once here, so that no test program waits for it (on-display says what was slow).
bash "$top/scripts/on-display.sh" true
ctest --output-on-failure -j 2
bash "$top/scripts/package.sh"
