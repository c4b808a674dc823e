#!/usr/bin/env bash
# The program under a screen reader's eyes: on a virtual X display, with a
# D-Bus session and an AT-SPI bus of the test's own, the program (a copy of the
# build's, beside a list and a database of the test's) is walked and asked by
# atspi_walk.py.  Skips (77) saying why when a tool is missing.
# Usage: tst_atspi.sh <the program>
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ -z "${KELVARO_ATSPI_SESSION:-}" ]; then
    for tool in xvfb-run xauth dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (scripts/packages.txt)"; exit 77; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }
    KELVARO_ATSPI_SESSION=1 exec xvfb-run -a dbus-run-session -- bash "${BASH_SOURCE[0]}" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

cp "$1" "$work/kelvaro"
printf '12,5;4;50;\r\n100;1000;100000;\r\n' >"$work/supiska.csv"
printf '1;000123;Bistro;Hlavna 1;Nitra;35757442;;02;1234567;02/1234568;;\r\n' >"$work/DB.csv"
# The accessibility bus, as a desktop session starts it.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
HOME=$work XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$work/kelvaro" >"$work/program.log" 2>&1 &
pid=$!
status=0
/usr/bin/python3 "$here/atspi_walk.py" "$pid" || status=$?
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || echo "FAIL: the program ended with status $?" >&2
    cat "$work/program.log" >&2
    status=1
fi
exit "$status"
