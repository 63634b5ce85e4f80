#!/usr/bin/env python3
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a command and prints "<seconds between two output lines> <total seconds>":
the first line that ends with FIRST and the first line that starts with LAST.
Used to time the rename pass inside quillon-cli rename without its scan.
Standard error is a terminal (quillon-cli shows its progress only there),
and both outputs are read as one."""
import os
import pty
import subprocess
import sys
import time

first_end, last_start, command = sys.argv[1], sys.argv[2], sys.argv[3:]
t0 = time.monotonic()
master, slave = pty.openpty()
p = subprocess.Popen(command, stdout=slave, stderr=slave)
os.close(slave)
first = last = None
reader = open(master, "r", errors="replace")
while True:
    try:
        line = reader.readline()
    except OSError:  # the terminal's other end closed: the command ended
        break
    if not line:
        break
    line = line.replace("\r", "")
    now = time.monotonic()
    if first is None and line.rstrip("\n").endswith(first_end):
        first = now
    if last is None and line.startswith(last_start):
        last = now
p.wait()
total = time.monotonic() - t0
if first is None or last is None or p.returncode != 0:
    sys.exit("no timing: exit status %d" % p.returncode)
print("%.3f %.3f" % (last - first, total))
