#!/usr/bin/env bash
# Builds the program and its benchmarks, runs them one after the other on one
# virtual X display, and prints one line per figure on standard output:
#   <what>: <figure> (target <target>)
# Build output, failures and figures beyond their targets go to standard error.
# Exits non-zero when a benchmark could not run.
set -euo pipefail

if [ "${1:-}" != "--measure" ]; then
    source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
    build_tree build >&2
    # A display of its own: the same X server for every figure, whatever
    # desktop the user runs.  -a takes a free display number.
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        bash "${BASH_SOURCE[0]}" --measure "$repo/build/benchmarks"
fi

bin="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE= \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_LOGGING_RULES='qt.qpa.*=false'
# Repetitions of each Qt Test benchmark; its figure is their median.
medians=5
failed=0

# Passes figure lines on and notes those beyond their target ("< n" or
# "<= n", in the figure's unit).
report() {
    awk '
        { print; fflush() }
        match($0, /: [0-9.]+( [A-Za-z]+)? \(target <=? [0-9.]+/) {
            n = split(substr($0, RSTART + 2, RLENGTH - 2), w, " ")
            figure = w[1]; limit = w[n]; op = w[n - 1]
            if (op == "<" ? figure + 0 >= limit + 0 : figure + 0 > limit + 0)
                print "bench.sh: beyond its target: " $0 > "/dev/stderr"
        }'
}

# Runs a Qt Test benchmark, keeping its plain and CSV output in the work folder.
run_qtest() {
    local exe="$1"
    if ! "$bin/$exe" -median "$medians" -o "$work/$exe.csv,csv" -o "$work/$exe.txt,txt" >/dev/null 2>"$work/$exe.err"; then
        echo "bench.sh: $exe failed:" >&2
        cat "$work/$exe.txt" "$work/$exe.err" >&2 || true
        failed=1
        return 1
    fi
}

# The median of a QBENCHMARK function in milliseconds: median_ms <executable> <function>.
median_ms() {
    local ms
    ms="$(awk -F, -v fn="\"$2\"" '$1 == fn && $3 == "\"WalltimeMilliseconds\"" { printf "%.0f", $4 }' "$work/$1.csv")"
    [ -n "$ms" ] || echo "bench.sh: no figure of $1 $2" >&2
    echo "${ms:-missing}"
}

# Runs a benchmark that prints its figure lines itself and passes those lines
# on (a Qt Test message prefix taken off).  An optional one is left out when
# it has not been built.
run_printing() {
    local exe="$1" optional="${2:-}"
    if [ ! -x "$bin/$exe" ]; then
        [ -n "$optional" ] && return 0
        echo "bench.sh: $bin/$exe is missing" >&2
        failed=1
        return 1
    fi
    if ! "$bin/$exe" >"$work/$exe.out" 2>"$work/$exe.err"; then
        echo "bench.sh: $exe failed:" >&2
        cat "$work/$exe.out" "$work/$exe.err" >&2 || true
        failed=1
    fi
    sed -n -e 's/^QINFO *: [^ ]* //' -e '/: .* (target .*)$/p' "$work/$exe.out" | report
}

run_printing bench_startup || true

if run_qtest bench_database; then
    table="database window, 10,000 establishments"
    kb="$(sed -n 's/.*resident memory with the window shown: \([0-9]*\) kB.*/\1/p' "$work/bench_database.txt")"
    report <<END
$table: read, check, sort and first paint: $(median_ms bench_database loadCheckSortShow) ms (target < 500 ms)
$table: a name typed over and confirmed with Enter, sort by internal number included: $(median_ms bench_database confirmedEdit) ms (target < 150 ms)
$table: the same, sorted by city and name: $(median_ms bench_database confirmedEditTextKeys) ms (target < 150 ms)
$table: resident memory with the window shown: $(( (${kb:-0} + 512) / 1024 )) MB (target < 100 MB)
END
fi

if run_qtest bench_print; then
    report <<END
filled list of 43 rows (3 pages) to PDF at 1200 dpi with its export file, from the button: $(median_ms bench_print filledList) ms (target < 1000 ms)
blank form to PDF at 1200 dpi, from the button: $(median_ms bench_print blankForm) ms (target < 500 ms)
list of 1,000 rows, a count typed over and confirmed, supiska.csv written: $(median_ms bench_print confirmedEntry) ms (target < 16 ms, a frame)
list of 1,000 rows, supiska.csv written alone: $(median_ms bench_print listWrite) ms
END
fi

run_printing bench_hostile optional || true
run_printing bench_bigfiles || true

exit "$failed"
