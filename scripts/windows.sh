#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows into build-windows/, runs its
# tests there under Wine, makes the installer kelvaro-<version>-win64.exe and
# the portable kelvaro-<version>-win64.zip there, and checks the installer end
# to end under Wine (tests/windows/endtoend.sh).
#
# Qt for Windows is Qt 6.4.2's base, cross-built from Debian's own qt6-base
# source.  It is taken from ../shared/toolchains/ beside the project when that
# folder holds the prebuilt archive and its checksum matches; otherwise it is
# built once with the recipe there (about an hour on 2 cores).  Either way it
# is kept in ~/.cache/kelvaro/ (or $XDG_CACHE_HOME/kelvaro/) for later runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages "$repo/scripts/packages-windows.txt"

qt_name=qt6-base-6.4.2-mingw64
qt_sha256=f04064ddccf4d3cf1208b52dc1607336f24376e05b121ec0d2b55cd1d414ce28
toolchains="$(cd "$repo/.." && pwd)/shared/toolchains"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/kelvaro"
qt="$cache/$qt_name"

# The cached Qt counts once it is whole: the stamp is written last.
if [ ! -f "$qt/.complete" ]; then
    rm -rf "$qt"
    mkdir -p "$cache"
    archive="$toolchains/$qt_name.tar.xz"
    if [ -f "$archive" ] && echo "$qt_sha256  $archive" | sha256sum --check --status; then
        echo "Unpacking Qt for Windows from $archive"
        tar -C "$cache" -xJf "$archive"
    elif [ -f "$toolchains/build-qt6-base-mingw64.sh" ]; then
        [ -f "$archive" ] && echo "$archive does not match its checksum; building Qt instead" >&2
        echo "Building Qt for Windows into $cache (about an hour)"
        # The recipe installs into its work folder, which is the cache.
        bash "$toolchains/build-qt6-base-mingw64.sh" "$cache"
        rm -rf "$cache/build" "$cache"/qtbase-everywhere-src-* "$cache"/qt6-base_* "$cache/$qt_name.tar.xz" \
            "$cache/mingw-w64.cmake"
    else
        echo "No Qt for Windows: $toolchains holds neither $qt_name.tar.xz nor the recipe that builds it" >&2
        exit 1
    fi
    touch "$qt/.complete"
fi

build="$repo/build-windows"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/x86_64-w64-mingw32.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DKELVARO_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# The tests run offscreen under Wine (CTest's emulator, build-windows/wine-run.sh),
# in a Wine prefix of the build's own that the first test makes.
(cd "$build" && ctest --output-on-failure --parallel "$(nproc)" --timeout 600)

# The installer and the portable folder, from the install rules
# (packaging/packaging.cmake), then the installer end to end.
rm -f "$build"/kelvaro-*-win64.exe "$build"/kelvaro-*-win64.zip
(cd "$build" && cpack -G NSIS >cpack-nsis.log && cpack -G ZIP >cpack-zip.log) ||
    { cat "$build"/cpack-*.log >&2; exit 1; }
installer=$(ls "$build"/kelvaro-*-win64.exe)
ls -l "$installer" "$build"/kelvaro-*-win64.zip
bash "$repo/tests/windows/endtoend.sh" "$installer"
