#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quillon (installing what is missing) and starts it on a folder:
#   ./run.sh [FOLDER]     (default: the current folder)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/scripts/setup.sh"
build_quillon --target quillon
if [ $# -gt 0 ]; then
    cd "$1"
fi
exec "$BUILD_DIR/quillon"
