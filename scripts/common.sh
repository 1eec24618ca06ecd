# shellcheck shell=bash disable=SC2034
# Shared by scripts/run and scripts/test: the package lists, installing what
# is missing, and configuring and building a folder.

PILLORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the program need. Qt6Gui's CMake package
# requires OpenGL's headers and library (libgl-dev): Debian 12's qt6-base-dev
# pulls them in, and naming them keeps the build working where a Qt package
# does not. libcups2-dev: printing sends its jobs to CUPS itself, so that a
# refused job is reported. The fonts stand in for the Windows faces the
# program asks for (src/platform/Typefaces.cpp).
RUN_PACKAGES=(
    build-essential cmake ninja-build
    qt6-base-dev libgl-dev libcups2-dev
    fonts-dejavu-core fonts-liberation2 fonts-urw-base35
)
# What the tests need besides: the format check, a private cupsd and PDF
# tools for printing, the desktop-file and AppStream validators, the MIME
# database and xdg-mime for the help command, chmcmd to build the help file,
# dpkg-dev for the Debian package's dependencies, lintian to check the
# package, and dbus-daemon for a private session bus in the notification
# tests. The tests run on Qt's offscreen platform, except the accessibility
# test: Qt exports windows to screen readers only from a real X display, so
# it starts Xvfb with a private D-Bus session and the AT-SPI bus, and reads
# the windows back with pyatspi.
TEST_PACKAGES=(
    clang-format
    cups cups-client poppler-utils
    desktop-file-utils appstream shared-mime-info xdg-utils
    fp-utils dpkg-dev lintian dbus-daemon
    xvfb dbus at-spi2-core python3-pyatspi
)
# Fuzzing only: clang and its libFuzzer runtime. Without them the fuzzing
# is skipped, so they are not required.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

not_installed() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || echo "$package"
    done
}

# Root installs directly; anyone else needs sudo, and sudo needs either no
# password or a terminal to ask for one.
can_install() {
    [ "$(id -u)" -eq 0 ] && return 0
    command -v sudo >/dev/null || return 1
    sudo -n true 2>/dev/null || [ -t 0 ]
}

apt_get() {
    local as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    # The lock timeout waits out an unattended upgrade on a fresh machine.
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -qq -o DPkg::Lock::Timeout=300 "$@"
}

# install_missing PACKAGE... [-- OPTIONAL_PACKAGE...]
# Installs what is missing. What cannot be installed (no root, no sudo, no
# network) is named in one message; only a missing required package stops.
install_missing() {
    local required=() optional=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        required+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    optional=("$@")

    local missing_required missing_optional missing
    mapfile -t missing_required < <(not_installed "${required[@]}")
    mapfile -t missing_optional < <(not_installed "${optional[@]}")
    [ $((${#missing_required[@]} + ${#missing_optional[@]})) -eq 0 ] && return 0

    if can_install; then
        missing=("${missing_required[@]}" "${missing_optional[@]}")
        echo "Installing: ${missing[*]}"
        apt_get update || echo "apt-get update failed; trying with the package lists there are."
        # Apart, so that an optional package that cannot be had does not
        # keep the required ones out.
        [ ${#missing_required[@]} -eq 0 ] || apt_get install --no-install-recommends \
            "${missing_required[@]}" || true
        [ ${#missing_optional[@]} -eq 0 ] || apt_get install --no-install-recommends \
            "${missing_optional[@]}" || true
        mapfile -t missing_required < <(not_installed "${required[@]}")
        mapfile -t missing_optional < <(not_installed "${optional[@]}")
        [ $((${#missing_required[@]} + ${#missing_optional[@]})) -eq 0 ] && return 0
        echo "Could not install every package (no network?)."
    else
        echo "Packages are missing, and this user cannot install them: not root, no sudo."
    fi
    [ ${#missing_required[@]} -eq 0 ] || echo "Needed: ${missing_required[*]}"
    [ ${#missing_optional[@]} -eq 0 ] || echo "Optional: ${missing_optional[*]}"
    missing=("${missing_required[@]}" "${missing_optional[@]}")
    echo "To install them, as root: apt-get install --no-install-recommends ${missing[*]}"
    [ ${#missing_required[@]} -eq 0 ] || exit 1
}

# build DIR TARGET [cmake option...]
# Configures DIR for Ninja and builds TARGET ("all" for everything).
build() {
    local dir=$1 target=$2
    shift 2
    # cmake refuses a folder that another generator configured (say a build/
    # made with Unix Makefiles); start that folder's configuration afresh.
    if [ -f "$dir/CMakeCache.txt" ] \
        && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt"; then
        echo "$dir was configured for another generator; configuring it afresh for Ninja."
        rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
    fi
    # Warnings and errors only: a failed configuration shows why, a good one
    # stays short.
    cmake -S "$PILLORA_ROOT" -B "$dir" -G Ninja --log-level=WARNING "$@" || return
    cmake --build "$dir" --parallel "$(nproc)" --target "$target"
}
