#!/usr/bin/env bash
# SPDX-FileCopyrightText: Quillon developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of what Quillon installs, one part per call:
#   check-install.sh PART SOURCE_DIR BUILD_DIR
# PART: desktop, metainfo, man, completion, destdir, package, lintian. A part
# whose tool is missing exits 77, which CTest reports as skipped.
set -euo pipefail
part=$1 src=$2 build=$3
id=org.quillon.Quillon
version=$(sed -n 's/#define QUILLON_VERSION "\(.*\)"/\1/p' "$build/generated/Version.h")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Every file an install holds, relative to the prefix.
files=(
    bin/quillon
    bin/quillon-cli
    share/applications/$id.desktop
    share/metainfo/$id.metainfo.xml
    share/icons/hicolor/scalable/apps/$id.svg
    share/icons/hicolor/48x48/apps/$id.png
    share/icons/hicolor/256x256/apps/$id.png
    share/man/man1/quillon.1.gz
    share/man/man1/quillon-cli.1.gz
    share/bash-completion/completions/quillon-cli
    share/doc/quillon/copyright
    share/doc/quillon/changelog.gz
)

need() {
    command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed (package $2)" >&2; exit 77; }
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Builds the Debian package in the scratch folder and prints its path.
make_package() {
    need cpack cmake
    need dpkg-shlibdeps dpkg-dev
    (cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >/dev/null)
    ls "$work"/out/quillon_"$version"_*.deb
}

# The options quillon-cli --help names.
cli_options() {
    "$build/quillon-cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u
}

# Both programs answer --version from the project version.
check_versions() {
    local bin=$1
    [ "$("$bin/quillon-cli" --version)" = "quillon-cli $version" ] || fail "$bin/quillon-cli --version"
    [ "$("$bin/quillon" --version)" = "quillon $version" ] || fail "$bin/quillon --version"
}

case $part in
desktop)
    need desktop-file-validate desktop-file-utils
    desktop-file-validate "$src/data/$id.desktop"
    grep -qx 'Exec=quillon %f' "$src/data/$id.desktop" || fail "the entry must pass the folder"
    ;;
metainfo)
    need appstreamcli appstream
    appstreamcli validate --no-net "$src/data/$id.metainfo.xml"
    ;;
man)
    need man man-db
    for page in quillon quillon-cli; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
            "$build/data/man/$page.1.gz" 2>&1 >"$work/$page.txt")
        [ -z "$warnings" ] || fail "man $page: $warnings"
        grep -q "Quillon $version" "$work/$page.txt" || fail "man $page names no version"
    done
    # Every option of quillon-cli is described.
    for option in $(cli_options); do
        grep -q -- "${option//-/\\\\-}" "$src/data/man/quillon-cli.1" ||
            fail "quillon-cli.1 does not describe $option"
    done
    ;;
completion)
    [ -f /usr/share/bash-completion/bash_completion ] ||
        { echo "SKIP: bash-completion is not installed"; exit 77; }
    for option in $(cli_options); do
        grep -q -- " $option\b" "$src/data/completion/quillon-cli" ||
            fail "the completion does not offer $option"
    done
    got=$(bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _quillon_cli quillon-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
        echo "${COMPREPLY[*]}"' _ "$src/data/completion/quillon-cli" quillon-cli rename --d)
    [ "$got" = "--dry-run" ] || fail "quillon-cli rename --d completes to \"$got\""
    ;;
destdir)
    need cmake cmake
    DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
    for f in "${files[@]}"; do
        [ -f "$work/root/usr/$f" ] || fail "the install has no $f"
    done
    check_versions "$work/root/usr/bin"
    ;;
package)
    deb=$(make_package)
    contents=$(dpkg-deb --contents "$deb")
    for f in "${files[@]}"; do
        grep -q " \./usr/$f\$" <<<"$contents" || fail "the package has no $f"
    done
    dpkg-deb --field "$deb" Depends | grep -q libqt6widgets6 ||
        fail "the package depends on no Qt library"
    dpkg-deb --field "$deb" Depends | grep -q libxlsxwriter ||
        fail "the package does not depend on libxlsxwriter (the XLSX listing)"
    dpkg-deb -x "$deb" "$work/tree"
    check_versions "$work/tree/usr/bin"
    ;;
lintian)
    # Debian's own checker: no error, no warning.
    need lintian lintian
    deb=$(make_package)
    lintian --fail-on error,warning "$deb" || fail "lintian reports the package"
    ;;
*)
    fail "unknown part $part"
    ;;
esac
echo "PASS: $part"
