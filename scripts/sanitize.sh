#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs Quillon's tests under the sanitizers, each build in a folder of its
# own:
#   scripts/sanitize.sh [asan] [tsan] [fuzz]    (default: all three)
# asan  every test, built with AddressSanitizer and UndefinedBehaviorSanitizer
#       (./build-asan); the first report ends the test that raised it
# tsan  the scan, generator and sort tests, whose work is split over threads,
#       built with ThreadSanitizer (./build-tsan)
# fuzz  every fuzz target for 60 seconds (tests/fuzz/run 60)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/.." && pwd)"
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(asan tsan fuzz)

# Reports in libraries that are not ours are listed, each with the reason,
# in these files.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$root/tests/sanitizers/tsan.supp"

# Builds into the folder given and runs ctest there with the arguments after --.
sanitized() {
    local dir=$1 sanitize=$2
    shift 2
    local build=() tests=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do build+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    tests=("$@")
    (
        QUILLON_BUILD_DIR="$root/$dir"
        source "$root/scripts/setup.sh"
        build_quillon -DBUILD_TESTING=ON -DQUILLON_SANITIZE="$sanitize" ${build[@]+"${build[@]}"}
        cd "$BUILD_DIR"
        ctest --output-on-failure -j "$(nproc)" ${tests[@]+"${tests[@]}"}
    )
}

threaded=(testfolderscan testnamegenerator testlistsorter)
for part in "${parts[@]}"; do
    case "$part" in
    asan)
        echo "Quillon: every test under AddressSanitizer and UndefinedBehaviorSanitizer"
        sanitized build-asan address,undefined
        ;;
    tsan)
        echo "Quillon: the scan, generator and sort tests under ThreadSanitizer"
        targets=()
        for t in "${threaded[@]}"; do targets+=(--target "$t"); done
        sanitized build-tsan thread "${targets[@]}" -- -R "^($(IFS='|'; echo "${threaded[*]}"))\$"
        ;;
    fuzz)
        echo "Quillon: every fuzz target for 60 seconds"
        "$root/tests/fuzz/run" 60
        ;;
    *)
        echo "usage: scripts/sanitize.sh [asan] [tsan] [fuzz]" >&2
        exit 2
        ;;
    esac
done
