#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each one in turn.
#
#   bash scripts/fuzz.sh [seconds per target (60)] [target...]
#
# Each target starts from its seeds in fuzz/corpus/<target>/ and keeps what it
# finds new in build-fuzz/fuzz-runs/corpus/<target>/, so the repository's seeds
# stay as they are.  A crashing input is written to
# build-fuzz/fuzz-runs/crashes/<target>/ and the command then fails.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages "$repo/scripts/packages-fuzz.txt"

# One target a source in fuzz/.
mapfile -t all_targets < <(cd "$repo/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
seconds="${1:-60}"
[ $# -gt 0 ] && shift
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
    echo "usage: $0 [seconds per target] [target...]   targets: ${all_targets[*]}" >&2
    exit 2
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")

build_tree build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DKELVARO_BUILD_FUZZERS=ON \
    -DKELVARO_BUILD_TESTS=OFF -DKELVARO_BUILD_BENCHMARKS=OFF

runs="$repo/build-fuzz/fuzz-runs"
export LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE= QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
# The file targets write and read a file on every run: in memory where the
# machine has a RAM folder.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
failed=()
for target in "${targets[@]}"; do
    program="$repo/build-fuzz/fuzz/$target"
    if [ ! -x "$program" ]; then
        echo "$target: no such fuzz target (${all_targets[*]})" >&2
        exit 2
    fi
    case "$target" in
        fuzz_recordfile_*) dict=recordfile; max_len=8192 ;;
        *) dict="${target#fuzz_}"; max_len=4096 ;;
    esac
    mkdir -p "$runs/corpus/$target" "$runs/crashes/$target"
    log="$runs/$target.log"
    echo "$target: ${seconds} s, log in $log"
    if (cd "$runs" && "$program" "$runs/corpus/$target" "$repo/fuzz/corpus/$target" \
            -dict="$repo/fuzz/dict/$dict.dict" -max_len="$max_len" -max_total_time="$seconds" \
            -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$runs/crashes/$target/") >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true
    else
        failed+=("$target")
        tail -n 30 "$log"
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Crashes found by: ${failed[*]}" >&2
    for target in "${failed[@]}"; do
        grep -h 'Test unit written to' "$runs/$target.log" | sed 's/.*Test unit written to /  /' >&2 || true
    done
    exit 1
fi
echo "No crashes."
