#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives the built quillon with real X input (xdotool) on a private Xvfb
# screen, the way a person uses it, and checks the files on disk. The faults
# people met first (a typed letter that ran a completed batch line, stray keys
# after a batch, the wheel) are checked here with input as X delivers it.
# Usage: run.sh path/to/quillon. Exit 77 (skipped) without xdotool or Xvfb.
set -uo pipefail

quillon="$(realpath "$1")"
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "gui: skipped, $tool is not installed (scripts/setup.sh installs it)"
        exit 77
    fi
done

work="$(mktemp -d)"
files="$work/files"
copies="$work/copies"
mkdir -p "$files" "$copies"
for i in $(seq -w 1 40); do echo "$i" >"$files/f$i.dat"; done
original="$(ls "$files")"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
program=""
finish() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap finish EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

failures=0
check() { # check "what" command...
    if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
# Polls a command for up to five seconds.
eventually() {
    for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
    return 1
}
windows() { xdotool search --onlyvisible --name '^Quillon$' 2>/dev/null | wc -l; }
messageShown() { [ "$(windows)" -ge 2 ]; }
oneWindow() { [ "$(windows)" -eq 1 ]; }
count() { ls "$1" | grep -c "${2:-}"; }
namesAre() { [ "$(ls "$files")" == "$1" ]; }
listPicture() { import -window root -crop 960x260+10+100 png:- 2>/dev/null | md5sum; }

# The window at the designed size sits at 0,0 (there is no window manager);
# points below are in its coordinates, measured on the designed layout.
click() { xdotool mousemove --sync "$1" "$2" click 1; sleep 0.2; }
Text1=(261 437) Text3=(313 518) Execute=(814 518) StartRename=(956 513)
Rows=(522 261) ScrollBar=(997 261)

# What the program writes to stderr (a sanitizer's report) is shown on a failure.
(cd "$files" && exec "$quillon" >/dev/null 2>"$work/stderr") &
program=$!
eventually oneWindow || { echo "FAIL quillon did not start"; exit 1; }
sleep 1
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Quillon$' | head -1)"

# Typing "D" in the batch line stays "D": Execute reports a missing program.
click "${Text3[@]}"
xdotool key ctrl+a type D
click "${Execute[@]}"
check "a typed D runs no completed batch line: a message" eventually messageShown
check "a typed D runs no completed batch line: no file gone" namesAre "$original"
xdotool key Return
eventually oneWindow

# Keys after a batch start nothing.
click "${Text3[@]}"
xdotool key ctrl+a type "Filecopy Sourcefiles\$ $copies/Destnames\$"
click "${Execute[@]}"
copied() { [ "$(count "$copies")" -eq 40 ]; }
check "the batch copied every file" eventually copied
xdotool key x Escape a
sleep 0.5
check "keys after a batch rename nothing" namesAre "$original"

# The wheel over the rows and over the scroll bar moves the rows.
for at in Rows ScrollBar; do
    declare -n point="$at"
    before="$(listPicture)"
    xdotool mousemove --sync "${point[@]}" click 5
    sleep 0.3
    check "the wheel over the list's $at moves the rows" [ "$(listPicture)" != "$before" ]
done

# Forbidden characters are dropped as typed; Enter proposes the names.
click "${Text1[@]}"
xdotool key ctrl+a type 'Sh|o*t?#'
xdotool key Return
click "${StartRename[@]}"
check "the pass used the filtered pattern" eventually [ -e "$files/Shot01.dat" ]
renamed() { [ "$(count "$files" '^Shot..\.dat$')" -eq 40 ]; }
check "every file renamed" eventually renamed

# Ctrl+Z after the pass puts the names back, wherever the focus landed.
xdotool key ctrl+z
check "Ctrl+Z after a pass puts the names back" eventually namesAre "$original"

# Keyboard only, from a fresh start with the focus in the folder box: "Select"
# opens the browser, the keys go into a folder and list it, a typed pattern is
# proposed, the keys choose a row, Start Rename renames and Ctrl+Z undoes.
picked="$files/pick"
mkdir "$picked"
for i in 1 2 3; do echo "$i" >"$picked/k$i.txt"; done
kill "$program"
wait "$program" 2>/dev/null
(cd "$files" && exec "$quillon" >/dev/null 2>>"$work/stderr") &
program=$!
eventually oneWindow || { echo "FAIL quillon did not start again"; exit 1; }
sleep 1
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Quillon$' | head -1)"
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
keys Tab Tab space                         # "Select": the browser opens with the keys
keys End $(printf 'Up %.0s' $(seq 40))     # above the 40 files stands the folder
keys Return Escape                         # list it; back on "Select"
keys $(printf 'Tab %.0s' $(seq 8))         # the list, two dates, four boxes: the pattern
keys ctrl+a
xdotool type --delay 60 'Key#'
keys Return
keys $(printf 'shift+Tab %.0s' $(seq 7)) Down Down  # back to the list: a row
keys $(printf 'shift+Tab %.0s' $(seq 4)) space      # round to Start Rename
keyRenamed() { [ "$(ls "$picked" | grep -c '^Key.*\.txt$')" -eq 3 ]; }
check "keys alone list a folder, propose and rename" eventually keyRenamed
keys ctrl+z
pickedBack() { [ "$(ls "$picked")" == "$(printf 'k1.txt\nk2.txt\nk3.txt')" ]; }
check "Ctrl+Z after a rename by keys puts the names back" eventually pickedBack

# F5 lists a file made meanwhile (the list's picture changes); Ctrl+Q ends the program.
before="$(listPicture)"
echo new >"$picked/a-new.dat"  # the folder the keys listed
xdotool key F5
sleep 0.5
check "F5 lists the folder again" [ "$(listPicture)" != "$before" ]
xdotool key ctrl+q
gone() { ! kill -0 "$program" 2>/dev/null; }
check "Ctrl+Q ends the program" eventually gone

[ "$failures" -eq 0 ] || cat "$work/stderr" >&2
exit $((failures > 0))
