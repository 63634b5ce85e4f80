#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Starts the built quillon on private Xvfb screens of the sizes laptops and
# old monitors have, at the scale factors desktops set, and checks that the
# main window opens (not the "Screen size must be..." message) and fits the
# screen where the screen is at least 1024 x 768 in its own pixels.
# Usage: screens.sh path/to/quillon. Exit 77 (skipped) without xdotool or Xvfb.
set -uo pipefail

quillon="$(realpath "$1")"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "screens: skipped, $tool is not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done

work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for i in 1 2 3; do echo "$i" >"$work/f$i.txt"; done
failures=0

# The visible top-level windows called Quillon, as "WIDTHxHEIGHT+X+Y" lines.
windows() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Quillon$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        echo "${WIDTH}x${HEIGHT}+${X}+${Y}"
    done
}

# screen WIDTH HEIGHT SCALE MUST_FIT
screen() {
    local width=$1 height=$2 scale=$3 mustFit=$4 what="$1x$2 at scale $3"
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
    local xvfb=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
    # What the program writes to stderr (a sanitizer's report) is shown on a failure.
    (cd "$work" && QT_SCALE_FACTOR="$scale" exec "$quillon" >/dev/null 2>>"$work/stderr") &
    local program=$! shown=""
    for _ in $(seq 100); do
        shown="$(windows)"
        [ -n "$shown" ] && break
        sleep 0.1
    done
    sleep 0.5
    shown="$(windows)"
    # The main window is at least 1000 logical pixels wide; a message box is not.
    local w h x y
    IFS='x+' read -r w h x y <<<"$(echo "$shown" | head -1)"
    if [ "$(echo "$shown" | wc -l)" -ne 1 ] || [ -z "$w" ] ||
        [ "$w" -lt "$(awk -v s="$scale" 'BEGIN { print int(1000 * s) }')" ]; then
        echo "FAIL $what: the main window did not open alone (windows: ${shown:-none})"
        failures=$((failures + 1))
    elif [ "$mustFit" = yes ] && { [ $((x + w)) -gt "$width" ] || [ $((y + h)) -gt "$height" ]; }; then
        echo "FAIL $what: the window ${w}x${h}+${x}+${y} is not on the screen"
        failures=$((failures + 1))
    else
        echo "ok   $what: the window is ${w}x${h}+${x}+${y}"
    fi
    kill "$program" "$xvfb" 2>/dev/null
    wait "$program" "$xvfb" 2>/dev/null
}

screen 1024 768 1 yes
screen 1920 1080 1.5 yes
screen 1920 1080 2 no
[ "$failures" -eq 0 ] || cat "$work/stderr" >&2
exit $((failures > 0))
