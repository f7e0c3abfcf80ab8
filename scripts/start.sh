#!/usr/bin/env bash
# Installs what is missing, builds Tessellar and starts it; a first start shows the sample
# quizzes in data/quizzes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/install-deps.sh"
bash "$top/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tessellar is built (build/bin/tessellar) but cannot start: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    exit 1
fi
if [ "$(id -u)" -eq 0 ]; then
    # Qt WebEngine's renderer sandbox refuses to start for root.
    echo "Running as root: the web engine's sandbox is off (--no-sandbox), since it refuses root." >&2
    export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:+$QTWEBENGINE_CHROMIUM_FLAGS }--no-sandbox"
fi
exec "$top/build/bin/tessellar"
