#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quillon with its tests and benchmarks (installing what is missing)
# and runs every test. QUILLON_WERROR=ON (as CI sets it) makes every compiler
# warning an error.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/setup.sh"
build_quillon -DBUILD_TESTING=ON -DQUILLON_BUILD_BENCHMARKS=ON -DQUILLON_WERROR="${QUILLON_WERROR:-OFF}"
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"

# As root, the tests with root-only paths (labelled root-paths) run once more
# as an unprivileged user, so that the paths a user without root takes (the
# skips included) run too. Their state and ctest's log must be writable then.
# Where the checkout lies in a folder nobody cannot enter (such as /root),
# that run is skipped with a line saying so.
as_nobody() { setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups "$@"; }
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
    mkdir -p test-state/home test-work Testing
    chown -R nobody test-state test-work Testing
    if as_nobody test -x "$PWD/tests" -a -r "$PWD/CTestTestfile.cmake"; then
        echo "Quillon: the tests with root-only paths, as the user nobody"
        as_nobody env HOME="$PWD/test-state/home" ctest --output-on-failure -j "$(nproc)" -L root-paths "$@"
    else
        echo "Quillon: $PWD cannot be entered by the user nobody; the run without root is skipped"
    fi
fi
