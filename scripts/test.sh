#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite on Qt's offscreen platform.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
build_tree build
cd "$repo/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
