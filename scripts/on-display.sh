#!/usr/bin/env bash
# Runs a command on an X display of its own, as on a user's desktop: Xvfb with the openbox
# window manager, so windows get frames, focus and menus the way users see them. Each call
# takes a free display, so test programs can run side by side.
#   bash scripts/on-display.sh COMMAND [ARGS...]
set -uo pipefail
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1920x1200x24 -dpi 96 -nolisten tcp 3>"$work/display" \
    >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    local stopping=$SECONDS
    kill "${wm:-}" "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
    say_if_slow "the display's end" "$stopping"
}
trap cleanup EXIT
# A slow start is said (on stderr) so that a slow test run shows where its time went.
say_if_slow() { [ $((SECONDS - $2)) -lt 3 ] || echo "on-display: $1 took $((SECONDS - $2)) s" >&2; }
started=$SECONDS
for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
say_if_slow "the X server's start" "$started"
export DISPLAY=":$(head -n 1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
started=$SECONDS
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.05
done
say_if_slow "the window manager's start" "$started"
export QT_QPA_PLATFORM=xcb
# No session bus unless the caller brought one (the screen-reader walk does): a program on a
# display of its own does not talk to the desktop's bus, nor start one of its own for it.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}
"$@"
