#!/usr/bin/env bash
# privatecups.sh <program> [arguments]: runs a test program with a CUPS
# scheduler of its own, its configuration, spool and logs in a temporary folder
# and reached through a socket there, holding one cups-pdf queue, the default
# printer.  The program finds the queue's name in KELVARO_TEST_QUEUE, the
# folder its PDF files land in in KELVARO_TEST_QUEUE_PDFS, and the scheduler's
# logs in KELVARO_TEST_QUEUE_LOGS (page_log: "<job> total <pages printed>" once
# a job is done, each copy counted).  The machine's own CUPS set-up is neither
# used nor changed: the cups-pdf backend reads its settings from /etc/cups, so
# the scheduler runs in a mount namespace of its own where a folder of the
# test's stands in for it.  That takes root, as the backend itself does;
# without it, or without the packages, the program runs without a queue and
# skips what needs one.
set -euo pipefail

ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
cupsd=$(PATH="/usr/sbin:/sbin:$PATH" command -v cupsd || true)
if [ "$(id -u)" -ne 0 ] || [ -z "$cupsd" ] || [ ! -f "$ppd" ] || ! unshare --mount true 2>/dev/null; then
    echo "privatecups.sh: no private CUPS queue (it needs root, mount namespaces, cups and printer-driver-cups-pdf)" >&2
    exec "$@"
fi

dir=$(mktemp -d /tmp/kelvaro-cups-XXXXXX)
chmod 755 "$dir" # the scheduler runs its filters as lp, who must reach the spool
mkdir -p "$dir"/{conf,etc,spool/tmp,cache,state,log,pdf,tmp}
cat > "$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
ErrorPolicy abort-job
PageLogFormat %j %P %C
<Location />
  Order allow,deny
  Allow localhost
</Location>
CONF
cat > "$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/printcap
CONF
cat > "$dir/etc/cups-pdf.conf" <<CONF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/cups-pdf-spool
Log $dir/log
GSTmp $dir/tmp
CONF

unshare --mount --propagation private sh -c 'mount --bind "$0" /etc/cups && exec "$1" -f -c "$2" -s "$3"' \
    "$dir/etc" "$cupsd" "$dir/conf/cupsd.conf" "$dir/conf/cups-files.conf" >"$dir/log/cupsd-output" 2>&1 &
scheduler=$!
trap 'kill $scheduler 2>/dev/null; wait $scheduler 2>/dev/null; rm -rf "$dir"' EXIT
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 100); do
    LC_ALL=C lpstat -r 2>/dev/null | grep -q '^scheduler is running' && break
    sleep 0.1
done
lpadmin -p kelvaro-pdf -E -v cups-pdf:/ -P "$ppd"
lpadmin -d kelvaro-pdf

status=0
KELVARO_TEST_QUEUE=kelvaro-pdf KELVARO_TEST_QUEUE_PDFS="$dir/pdf" KELVARO_TEST_QUEUE_LOGS="$dir/log" "$@" || status=$?
[ "$status" -eq 0 ] || cat "$dir"/log/* >&2 || true
exit "$status"
