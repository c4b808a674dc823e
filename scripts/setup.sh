#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt that are missing, then
# configures and builds the program into build/.  Sourced by run.sh and test.sh.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# install_missing_packages [list file]: installs the packages of the list (one
# a line; packages.txt unless another is given) that are missing.
install_missing_packages() {
    local list="${1:-$repo/scripts/packages.txt}"
    local wanted missing=()
    wanted=$(grep -vE '^\s*(#|$)' "$list")
    for p in $wanted; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build_tree() {
    local dir="$1"; shift
    cmake -S "$repo" -B "$repo/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$repo/$dir" --parallel "$(nproc)"
}

install_missing_packages
