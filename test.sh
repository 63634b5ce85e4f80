#!/usr/bin/env bash
# Builds Quillon (installing what is missing) and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/setup.sh"
cd "$BUILD_DIR"
ctest --output-on-failure -j "$(nproc)" "$@"
