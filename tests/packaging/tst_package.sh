#!/usr/bin/env bash
# The Debian package made from a build folder: its installed tree passes the
# AppStream checks, and the program it installs starts from /usr/bin (in a
# mount namespace of its own), takes and reads its data files in the user's
# folder, runs in the user's documents folder and writes nothing beside
# itself.
# Usage: tst_package.sh <build folder>
set -euo pipefail

build=$1
work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill -- "-$pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    if [ -f "$work/program.log" ]; then cat "$work/program.log" >&2; fi
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
debs=("$work"/out/kelvaro_*_amd64.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no kelvaro_<version>_amd64.deb"
version=$(basename "${debs[0]}" _amd64.deb)
version=${version#kelvaro_}

root=$work/root
dpkg-deb -x "${debs[0]}" "$root"
[ -x "$root/usr/bin/kelvaro" ] ||
    fail "no usr/bin/kelvaro in the package: is the build configured with CMAKE_INSTALL_PREFIX=/usr?"
desktop-file-validate "$root/usr/share/applications/sk.milbor.Kelvaro.desktop" || fail "desktop-file-validate"
# The metainfo, its desktop entry and the icons, as installed.
appstreamcli validate-tree --no-net "$root" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli validate-tree"; }

# The program runs in a home of its own.
home=$work/home
export HOME=$home XDG_DATA_HOME=$home/.local/share XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache
export XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$home" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
[ "$("$root/usr/bin/kelvaro" --version)" = "Kelvaro $version" ] || fail "--version does not print Kelvaro $version"

# A first start over data files in the user's folder, traced (strace) to see which
# files the program opens.
data=$XDG_DATA_HOME/Milbor/Kelvaro
mkdir -p "$data" "$home/Documents"
printf '10;1;10;\r\n' >"$data/supiska.csv"
: >"$data/DB.csv"
(cd "$root" && find . -printf '%p %s %T@\n' | sort) >"$work/before"
setsid strace -f -qq -e trace=openat -o "$work/opened" unshare --mount --map-root-user --propagation private \
    sh -c 'mount --bind "$0" /usr/bin && exec /usr/bin/kelvaro' "$root/usr/bin" >"$work/program.log" 2>&1 &
pid=$!
for _ in $(seq 200); do
    grep -q "$data/supiska.csv" "$work/opened" 2>/dev/null && grep -q "$data/DB.csv" "$work/opened" && break
    sleep 0.1
done
grep -q "$data/supiska.csv" "$work/opened" || fail "the installed program did not read supiska.csv from the user's folder $data"
grep -q "$data/DB.csv" "$work/opened" || fail "the installed program did not read DB.csv from the user's folder $data"
sleep 1
program=$(pgrep -s "$pid" -x kelvaro) || fail "the installed program ended after reading its files"
# Where the export file goes while no export folder is chosen.
[ "$(readlink "/proc/$program/cwd")" = "$home/Documents" ] ||
    fail "the installed program does not run in the user's documents folder $home/Documents"
[ -f "$data/kelvaro.lock" ] || fail "the installed program did not take its data folder ($data/kelvaro.lock)"
# The program and its tracer are a session of their own.
kill -- "-$pid"
wait "$pid" || true
pid=

[ -f "$home/.config/Milbor/Kelvaro.conf" ] || fail "no setting file in the user's folder"
(cd "$root" && find . -printf '%p %s %T@\n' | sort) | diff "$work/before" - >&2 ||
    fail "the installed program changed files beside itself"
echo "PASS: $(basename "${debs[0]}")"
