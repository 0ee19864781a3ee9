#!/bin/sh
# Runs a program on a private X display under openbox, so its windows are
# activated and focused the way a desktop does it. Exits 77 (skipped) when
# Xvfb or openbox is missing.
# Usage: tools/with-window-manager.sh PROGRAM [ARGS...]
command -v Xvfb >/dev/null && command -v openbox >/dev/null || { echo "Xvfb or openbox missing" >&2; exit 77; }

dir=$(mktemp -d)
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$dir"' EXIT INT TERM

# Waits up to 10 s for test $1 on file $2; on time-out shows log $3 and fails.
wait_for() {
    tries=0
    until [ "$1" "$2" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { cat "$3" >&2; exit 1; }
        sleep 0.1
    done
}

# Xvfb picks a free display itself and writes its number once it listens.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
wait_for -s "$dir/display" "$dir/xvfb.log"
DISPLAY=":$(cat "$dir/display")"
export DISPLAY

# openbox runs the startup command once it manages the screen.
HOME="$dir" openbox --sm-disable --startup "touch $dir/ready" >"$dir/openbox.log" 2>&1 &
wm=$!
wait_for -e "$dir/ready" "$dir/openbox.log"

# The X keyboard library hands strndup names that end without a NUL, which
# AddressSanitizer's strict string checks read past; everything else stays checked.
[ -n "${ASAN_OPTIONS:-}" ] && ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0" && export ASAN_OPTIONS
QT_QPA_PLATFORM=xcb "$@"
