#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite on Qt's offscreen platform,
# twice: a normal build in build/, then one with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/, where any report fails its test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

run_suite() {
    (cd "$repo/$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600)
}

build_tree build
run_suite build
build_tree build-asan -DKELVARO_SANITIZE=address,undefined -DKELVARO_BUILD_BENCHMARKS=OFF
run_suite build-asan
