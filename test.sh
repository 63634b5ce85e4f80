#!/usr/bin/env bash
# Builds Quillon with its tests and benchmarks (installing what is missing)
# and runs every test. QUILLON_WERROR=ON (as CI sets it) makes every compiler
# warning an error.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/setup.sh"
build_quillon -DBUILD_TESTING=ON -DQUILLON_BUILD_BENCHMARKS=ON -DQUILLON_WERROR="${QUILLON_WERROR:-OFF}"
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"
