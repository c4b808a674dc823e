#!/usr/bin/env bash
# The Windows program as installed from a build folder: the platform plugin
# is there, and every DLL that the program, its DLLs and its plugins import
# is installed with it or is a DLL of Windows itself.  A DLL missing here
# stops the program before its window, on a machine without this build.
# Usage: tst_windeploy.sh <build folder> <objdump of the target>
set -euo pipefail

build=$1
objdump=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/Kelvaro" >/dev/null
cd "$work/Kelvaro"
for file in kelvaro.exe platforms/qwindows.dll styles/qwindowsvistastyle.dll translations/qtbase_sk.qm; do
    [ -f "$file" ] || { echo "FAIL: $file is not installed" >&2; exit 1; }
done

# What Windows brings: its system DLLs and its API sets.
system=(advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 kernel32 mpr msvcrt netapi32 ole32
        oleaut32 setupapi shcore shell32 shlwapi user32 userenv uxtheme version winmm winspool ws2_32 wtsapi32)
installed=$(find . -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
status=0
while IFS= read -r -d '' file; do
    for dll in $("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]'); do
        grep -qxF "$dll" <<<"$installed" && continue
        name=${dll%.*}
        [[ " ${system[*]} " == *" $name "* || $name == api-ms-win-* ]] && continue
        echo "FAIL: ${file#./} imports $dll, which is neither installed nor a DLL of Windows" >&2
        status=1
    done
done < <(find . \( -iname '*.exe' -o -iname '*.dll' \) -print0)
exit $status
