#!/usr/bin/env bash
# The Windows installer end to end, under Wine on a virtual display, in a Wine
# prefix of its own that goes at the end: installed silently, the installed
# program starts and shows its window, reads its data files from the user's
# folder, writes the export file into the user's documents while no export
# folder is chosen, keeps the export folder chosen through its own menu in the
# registry for the next start, prints the filled list through Wine's printing into a
# cups-pdf queue (pages and barcodes read back from the PDF with zbar), and
# the uninstaller leaves no program file behind.
#
# The print goes to the CUPS scheduler of tests/support/privatecups.sh, which
# the script runs under (it starts itself again through it): configuration,
# spool and PDFs in a temporary folder, the machine's CUPS set-up untouched.
# It needs root (cups-pdf runs as root) and the right to unshare.
#
# Usage: endtoend.sh <installer kelvaro-<version>-win64.exe>
set -euo pipefail

if [ -z "${KELVARO_ENDTOEND_QUEUED:-}" ]; then
    KELVARO_ENDTOEND_QUEUED=1 exec bash "$(dirname "$0")/../support/privatecups.sh" bash "$0" "$@"
fi
installer=$(realpath "$1")
work=$(mktemp -d /tmp/kelvaro-endtoend-XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k 2>/dev/null || true; fi
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
step() { echo "-- $*"; }
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/kelvaro.log" ] && tail -20 "$work/kelvaro.log" >&2
    if [ -n "${DISPLAY:-}" ]; then
        echo "windows shown:" >&2
        for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            echo "  $(xdotool getwindowname "$id" 2>/dev/null)" >&2
        done
        [ -n "${ENDTOEND_SCREENSHOT:-}" ] && import -window root "$ENDTOEND_SCREENSHOT"
    fi
    exit 1
}
# waitfor <seconds> <command...>: until the command succeeds.
waitfor() {
    local deadline=$((SECONDS + $1)); shift
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

[ -n "${KELVARO_TEST_QUEUE:-}" ] || { echo "FAIL: no private CUPS queue" >&2; exit 1; }

# --- A virtual display and a Wine prefix of our own.
step "virtual display, Wine prefix"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
waitfor 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix's user folders (Documents among them) lead to a home of the test's own.
export HOME=$work/home
mkdir -p "$HOME"
wine wineboot --init >"$work/wineboot.log" 2>&1
# Wine's PostScript driver fails on the face it picks for Arial without these.
for face in "Arial=Liberation Sans" "Courier New=Liberation Mono" "Times New Roman=Liberation Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >/dev/null 2>&1
done
wineserver --wait
drive_c=$WINEPREFIX/drive_c
programdir="$drive_c/Program Files/Kelvaro"
# The installed program's data folder: the user's application data.
appdata="$drive_c/users/$(id -un)/AppData/Roaming/Milbor/Kelvaro"

# --- Silent installation.
step "install: $(basename "$installer") /S"
wine "$installer" /S
wineserver --wait
[ -f "$programdir/kelvaro.exe" ] || fail "no kelvaro.exe in Program Files\\Kelvaro"
[ -f "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kelvaro.lnk" ] || fail "no Start menu entry"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaro' /v InstallLocation 2>/dev/null |
    tr -d '\r' | grep -q 'C:\\Program Files\\Kelvaro$' || fail "the uninstall entry does not name the install folder"

# --- Data files in the user's folder: one establishment, a list of 25 rows
# (two pages of 21 rows).
mkdir -p "$appdata"
printf '12;004567;Bistro;Hlavn\xe1 1;Ko\x9aice;35757442;;055;1234567;055/1234568;;\r\n' >"$appdata/DB.csv"
for i in $(seq 1 25); do printf '%d;%d;%d;\r\n' "$i" 2 $((2 * i)); done >"$appdata/supiska.csv"

# start: the installed program; its window's id on standard output.
start() {
    (cd "$drive_c" && exec wine 'C:\Program Files\Kelvaro\kelvaro.exe' >>"$work/kelvaro.log" 2>&1) &
    local id deadline=$((SECONDS + 60))
    # A search fails outright when a window it looks at goes meanwhile.
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name '^Kelvaro$' 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
# stop: ends the program, and everything else of the prefix.
stop() {
    wineserver -k 2>/dev/null || true
    wineserver --wait
    waitfor 20 sh -c '! xdotool search --onlyvisible --name "^Kelvaro\$"' || fail "the program's window stays"
}
# dialog: the id of the window that the program opened over its main window.
dialog() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        [ "$id" != "$window" ] && { echo "$id"; return 0; }
    done
    return 1
}
# press <keys>: typed into the program with the pointer over its window, where
# the display without a window manager sends the keys.
press() {
    xdotool mousemove --window "$window" 400 200
    xdotool "$@"
}

# print_filled_list: "Tlač súpisky s hodnotami", the print dialog confirmed as
# it opens, until the queue has written its PDF.
print_filled_list() {
    press key alt+h
    waitfor 20 dialog || fail "the print dialog did not open"
    local printdialog
    printdialog=$(dialog)
    press key Return
    waitfor 20 sh -c '! xdotool getwindowname "$0"' "$printdialog" || fail "the print dialog did not close"
    waitfor 60 sh -c 'ls "$0"/*.pdf && [ -z "$(lpstat -o)" ]' "$KELVARO_TEST_QUEUE_PDFS" || fail "no PDF from the queue"
}

step "start the installed program"
started=$(date +%s%N)
window=$(start) || fail "no window 'Kelvaro' within 60 s"
echo "   window after $((($(date +%s%N) - started) / 1000000)) ms"
[ ! -e "$programdir/supiska.csv" ] && [ ! -e "$programdir/DB.csv" ] || fail "data files beside the installed program"

# --- The filled list printed before any export folder is chosen: the export
# file goes to the folder the installed program runs in, the user's documents.
step "the filled list printed, no export folder chosen"
print_filled_list
documents=$(ls "$drive_c/users/$(id -un)/Documents/"*004567.txt 2>/dev/null | wc -l)
[ "$documents" = 1 ] || fail "no export file in the user's documents: $(ls "$drive_c/users/$(id -un)/Documents/")"
[ -z "$(find "$programdir" -name '*.txt')" ] || fail "an export file in Program Files\\Kelvaro"
rm "$KELVARO_TEST_QUEUE_PDFS"/*.pdf

# --- The export folder, chosen through the program's menu "Uloženie súboru
# súpisky": Windows' folder chooser, with the folder's path typed in.
step "export folder C:\\exports chosen through the program"
mkdir -p "$drive_c/exports"
press key alt+u
waitfor 20 dialog || fail "the folder chooser did not open"
chooser=$(dialog)
# Each window's caption is its own text, without the program's name after it.
waitfor 5 sh -c '[ "$(xdotool getwindowname "$0")" = "Zvolte si adresár, kam sa majú ukladať súbory súpisky." ]' \
    "$chooser" || fail "the folder chooser's caption is '$(xdotool getwindowname "$chooser")'"
press type --delay 20 'C:\exports'
press key Return
waitfor 20 sh -c '! xdotool getwindowname "$0"' "$chooser" || fail "the folder chooser did not close"
saved=$(wine reg query 'HKLM\Software\Milbor\Kelvaro' /v saveDir 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ "$saved" = 'C:\exports\' ] || fail "saveDir in the registry is '$saved', not 'C:\\exports\\'"

# --- The next start: the filled list printed to the PDF queue, the export
# file written into the folder chosen before.
step "next start, the filled list printed"
stop
window=$(start) || fail "no window 'Kelvaro' at the next start"
# The preview over most of the 1280 x 1024 display, then closed.
press key alt+n
waitfor 20 dialog || fail "the preview did not open"
preview=$(dialog)
size=$(xdotool getwindowgeometry "$preview" | sed -n 's/.*Geometry: *//p')
[ "$(xdotool getwindowname "$preview")" = "Ukážka pred tlačou" ] && [ "${size%x*}" -ge 1000 ] && [ "${size#*x}" -ge 800 ] ||
    fail "the preview is '$(xdotool getwindowname "$preview")', $size"
press key Escape
waitfor 20 sh -c '! xdotool getwindowname "$0"' "$preview" || fail "the preview did not close"
print_filled_list
exports=("$drive_c"/exports/*.txt)
[ ${#exports[@]} -eq 1 ] && [ -f "${exports[0]}" ] || fail "no export file in C:\\exports"
echo "   export file $(basename "${exports[0]}")"

pdf=$(ls "$KELVARO_TEST_QUEUE_PDFS"/*.pdf)
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 2 ] || fail "the PDF has $pages pages, not 2"
# The scheduler counts each copy of each page.
printed=$(sed -n 's/^[0-9]* total //p' "$KELVARO_TEST_QUEUE_LOGS/page_log" | tail -1)
echo "   $pages pages, $printed pages printed with the copies"
[ "$printed" = $((pages * 2)) ] || fail "$printed pages printed, not 2 copies of $pages"

# The five barcodes of each page, each read on its own: the page rasterised
# at 300 pixels per inch, the place between the form's lines cut out and set
# on white (the code's barcode has a narrow quiet zone beside the IČO's).
cut() { # cut <page.pgm> <left> <top> <right> <bottom> (cm) <out.pgm>
    python3 - "$@" <<'PY'
import sys
path, out = sys.argv[1], sys.argv[6]
left, top, right, bottom = (round(300 / 2.54 * float(cm)) for cm in sys.argv[2:6])
data = open(path, 'rb').read()
fields, at = [], 0
while len(fields) < 4:  # P5 width height maxval
    while data[at:at + 1].isspace():
        at += 1
    start = at
    while not data[at:at + 1].isspace():
        at += 1
    fields.append(data[start:at])
at += 1
width, pad = int(fields[1]), 60
white = bytes([255])
rows = [white * (right - left + 2 * pad)] * pad
for y in range(top, bottom):
    rows.append(white * pad + data[at + y * width + left:at + y * width + right] + white * pad)
rows += rows[:pad]
open(out, 'wb').write(b'P5 %d %d 255\n' % (right - left + 2 * pad, len(rows)) + b''.join(rows))
PY
}
read_barcode() { # read_barcode <symbology> <image>
    zbarimg --nodbus -q --raw -Sdisable -S"$1".enable -Si25.min-length=2 "$2" 2>/dev/null | tr -d '\n'
}
for page in $(seq 1 "$pages"); do
    pdftoppm -r 300 -gray -f "$page" -l "$page" -singlefile "$pdf" "$work/page"
    read -r -a places <<<"0.3 19.0 1.85 26.5  13.6 16.47 16.5 17.45  16.5 16.47 19.88 17.45  13.6 17.45 19.88 18.5  13.6 18.6 19.88 19.5"
    read_texts=()
    for i in 0 1 2 3 4; do
        cut "$work/page.pgm" "${places[@]:$((i * 4)):4}" "$work/place.pgm"
        symbology=i25
        [ $i -eq 4 ] && symbology=code39
        read_texts+=("$(read_barcode $symbology "$work/place.pgm")")
    done
    echo "   page $page: ${read_texts[*]}"
    [ "${read_texts[*]}" = "030829 004567 35757442 0001 004567" ] ||
        fail "page $page: barcodes read '${read_texts[*]}'"
done

press key alt+d
waitfor 20 dialog || fail "the database window did not open"
[ "$(xdotool getwindowname "$(dialog)")" = "Databáza prevádzok" ] ||
    fail "the database window's caption is '$(xdotool getwindowname "$(dialog)")'"

# --- Uninstalling: the program's files, its Start menu entry and its entry
# among the installed programs go; the user's data files and setting stay.
step "uninstall /S"
stop
wine "$programdir/Uninstall.exe" /S
wineserver --wait
[ ! -e "$programdir" ] || fail "left in Program Files\\Kelvaro: $(cd "$programdir" && find . -mindepth 1 | tr '\n' ' ')"
[ ! -e "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kelvaro.lnk" ] || fail "the Start menu entry is left"
! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvaro' >/dev/null 2>&1 ||
    fail "the uninstall entry is left"
[ -f "$appdata/DB.csv" ] || fail "the user's data files went with the program"
echo "PASS: installed, started, the export file in the documents, the export folder kept, 2 pages printed and read, uninstalled"
