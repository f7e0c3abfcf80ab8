#!/usr/bin/env bash
# Takes a whole quiz as a screen reader's user does (listen_walk.py) with the program started
# on the bundled samples, on a display of its own with a session and accessibility bus.
#   bash tests/access/listen-walk.sh PATH/TO/tessellar
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
    XDG_STATE_HOME=$home/state XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
export WALK_PROGRAM=$program WALK_SCRIPT=$here/listen_walk.py
# (dbus-daemon's complaint that it may not raise its file limit is no fault of ours.)
dbus-run-session -- bash "$here/../../scripts/on-display.sh" bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    bus=$!
    "$WALK_PROGRAM" >"$HOME/program.log" 2>&1 &
    program=$!
    /usr/bin/python3 "$WALK_SCRIPT"
    status=$?
    kill "$program" "$bus" 2>/dev/null
    wait 2>/dev/null
    exit $status
' 2> >(grep -v "Failed to set fd limit" >&2)
