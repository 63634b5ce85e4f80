#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Quillon needs (when missing), then configures
# and gives build_quillon, which builds incrementally in ./build. Sourced by
# run.sh, test.sh, bench/run, scripts/sanitize.sh and tests/fuzz/run; the
# build folder is QUILLON_BUILD_DIR when set.
set -euo pipefail

QUILLON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${QUILLON_BUILD_DIR:-$QUILLON_ROOT/build}"

# Build tools and libraries, and what the tests use to read our files back.
PACKAGES=(cmake ninja-build g++ pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
          libwmf-dev libemf2svg-dev libexif-dev libxlsxwriter-dev fonts-liberation
          xvfb xauth xdotool imagemagick poppler-utils python3-xlrd python3-openpyxl attr)
# Unicode forms, music tags and checksums for the name template; the disks that fold
# letter case or keep Windows names, made by the tests on loop devices, and
# the tagged files they write.
PACKAGES+=(libicu-dev libtag1-dev libssl-dev exfat-fuse exfatprogs ntfs-3g python3-mutagen)
# The icon's fixed sizes are rendered at build time; the checks of the
# install, the package and the desktop files; a second spreadsheet reader.
PACKAGES+=(librsvg2-bin desktop-file-utils appstream dpkg-dev man-db bash-completion gnumeric)
# The accessibility test: a D-Bus session, the accessibility bus and the
# Python bindings a screen reader uses.
PACKAGES+=(dbus-bin at-spi2-core python3-pyatspi)
# The licence check of every file, Debian's check of the package, and the
# formatting check CI runs.
PACKAGES+=(reuse lintian clang-format)
# What a script needs beyond these (bench/run, scripts/sanitize.sh) it sets
# in QUILLON_MORE_PACKAGES before sourcing this file.
PACKAGES+=(${QUILLON_MORE_PACKAGES[@]+"${QUILLON_MORE_PACKAGES[@]}"})

missing_packages() {
    local p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    echo "Quillon: installing missing packages:" $missing
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Quillon: need root or sudo to install:" $missing >&2; exit 1; }
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    if ! $sudo apt-get update -qq || ! $sudo apt-get install -y -qq $missing >/dev/null; then
        echo "Quillon: could not install:" $missing >&2
        echo "Quillon: install them by hand (apt-get install ...) and run again." >&2
        exit 1
    fi
}

# Configures ./build (once, then again only to change the options given) and
# builds the targets given, or everything the options turn on.
#   build_quillon [-DOPTION=VALUE]... [--target NAME]...
build_quillon() {
    local options=() targets=()
    while [ $# -gt 0 ]; do
        case "$1" in
        --target) targets+=(--target "$2"); shift 2 ;;
        *) options+=("$1"); shift ;;
        esac
    done
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        local launcher=()
        # A compiler cache, where the machine has one, makes rebuilds of other checkouts quick.
        command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
        cmake -S "$QUILLON_ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${options[@]}"
    elif [ ${#options[@]} -gt 0 ]; then
        cmake "$BUILD_DIR" "${options[@]}" >/dev/null
    fi
    cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
}

# Sets LANG and LC_ALL for a benchmark run: en_US.UTF-8, the locale the
# tables of docs/speed.md were measured in. A machine without it gets it made under
# DIR (a scratch folder; LOCPATH points there), so nothing on the machine
# changes; where it cannot be made, C.UTF-8, with a note.
#   bench_locale DIR
bench_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then
        mkdir -p "$1/locale"
        localedef -i en_US -f UTF-8 "$1/locale/en_US.UTF-8" >/dev/null 2>&1 || true
        if [ ! -d "$1/locale/en_US.UTF-8" ]; then
            echo "Quillon: en_US.UTF-8 could not be made (package locales); measuring under C.UTF-8" >&2
            export LANG=C.UTF-8 LC_ALL=C.UTF-8
            return 0
        fi
        export LOCPATH="$1/locale"
    fi
    # This shell cannot switch to a locale made under LOCPATH (it reads
    # LOCPATH at its own start) and would warn once; the programs it starts can.
    { export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8; } 2>/dev/null
}

install_packages
