# Shared by scripts/run and scripts/test: installs what is missing and builds.

PILLORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PILLORA_PACKAGES=(
    build-essential cmake ninja-build
    qt6-base-dev libgl-dev
    fonts-dejavu-core fonts-liberation2
    clang libclang-rt-14-dev
    xvfb xauth
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for package in "${PILLORA_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# build DIR [cmake options...]
build() {
    local dir=$1
    shift
    cmake -S "$PILLORA_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir"
}
