#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build_tree build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "kelvaro: no display available (DISPLAY and WAYLAND_DISPLAY are unset); cannot open the window." >&2
    exit 1
fi
exec "$repo/build/kelvaro"
