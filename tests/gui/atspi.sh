#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built quillon on a private Xvfb screen with its own D-Bus session
# and accessibility bus, and lets atspi.py look at it as a screen reader
# does. Usage: atspi.sh path/to/quillon. Exit 77 (skipped) where Xvfb,
# dbus-run-session, at-spi2-core's bus launcher or python3-pyatspi is missing.
set -uo pipefail

quillon="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher="$candidate" && break
done
missing=""
command -v Xvfb >/dev/null || missing="Xvfb"
command -v dbus-run-session >/dev/null || missing="dbus-run-session"
[ -n "$launcher" ] || missing="at-spi2-core"
# Debian's module lives with the system's Python, which may not be the first on PATH.
python=""
for candidate in python3 /usr/bin/python3; do
    "$candidate" -c "import pyatspi" 2>/dev/null && python="$candidate" && break
done
[ -n "$python" ] || missing="python3-pyatspi"
if [ -n "$missing" ]; then
    echo "atspi: skipped, $missing is not installed (scripts/setup.sh installs it)"
    exit 77
fi

# Inside the D-Bus session: the accessibility bus, the program, the walk.
if [ "${QUILLON_ATSPI_INNER:-}" = 1 ]; then
    "$launcher" --launch-immediately 2>/dev/null &
    bus=$!
    sleep 1
    (cd "$files" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$quillon" >/dev/null 2>"$work/stderr") &
    program=$!
    "$python" "$here/atspi.py" "$files"
    status=$?
    kill "$program" "$bus" 2>/dev/null
    wait 2>/dev/null
    [ "$status" -eq 0 ] || cat "$work/stderr" >&2
    exit "$status"
fi

work="$(mktemp -d)"
files="$work/files"
mkdir -p "$files/sub"
for name in alpha.txt beta.txt gamma.txt; do echo "$name" >"$files/$name"; done
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" QUILLON_ATSPI_INNER=1 work files quillon python
dbus-run-session -- "$0" "$1"
