#!/usr/bin/env bash
# A private CUPS scheduler for the printer tests, in one directory of its own: configuration,
# socket, spool, cache, state, logs and PDF output all live under DIR. The machine's own CUPS,
# its queues and its configuration are never touched.
#
#   cups_privat.sh start DIR [--waechter PID]   set up DIR (absent or empty), start the
#                                               scheduler with the queues "PDF" (default) and
#                                               "Buero-FAX"; with --waechter it stops itself
#                                               and removes DIR once process PID is gone
#   cups_privat.sh stop DIR                     stop the scheduler (DIR stays)
#   cups_privat.sh queue-add DIR NAME [URI [MODEL]]
#                                               add a queue (default URI file:///dev/null); raw
#                                               without MODEL, else with that driver (as lpinfo -m
#                                               names it, e.g. drv:///sample.drv/generic.ppd)
#   cups_privat.sh queue-del DIR NAME           remove a queue
#   cups_privat.sh jobs DIR [QUEUE]             completed jobs, one "lpstat -W completed" line each
#   cups_privat.sh env DIR                      the exports that point a client at the scheduler
#
# Exit codes: 0 done; 77 the scheduler cannot run here (the reason is on stderr: callers
# report their tests as skipped); 1 any other failure; 2 usage.
#
# Clients find the scheduler through CUPS_SERVER=DIR/run/cups.sock. CUPS_SERVERROOT=DIR/etc
# keeps them from reading the machine's client.conf and its system-wide lpoptions.
#
# The PDF queue uses the cups-pdf backend. That backend reads its settings from a fixed path
# (/etc/cups/cups-pdf.conf), so the scheduler runs in a private mount namespace in which our
# own cups-pdf.conf is bound over that file: its PDFs land in DIR/pdf, and the machine's file
# stays as it is. Where no mount namespace can be had, the PDF queue keeps the cups-pdf PPD but
# writes through a "file:" device into DIR/pdf/PDF.ausgabe instead; DIR/modus says which
# ("cups-pdf" or "datei"); CUPS_PRIVAT_MODUS=datei asks for the second way.
set -euo pipefail

SKIP=77
PATH="$PATH:/usr/sbin"

fehler() {
  echo "cups_privat: $*" >&2
  exit 1
}
nicht_moeglich() {
  echo "cups_privat: privater CUPS-Server nicht möglich: $*" >&2
  exit $SKIP
}

[ $# -ge 2 ] || {
  sed -n '5,20p' "$0" >&2
  exit 2
}
befehl=$1
dir=$2
shift 2
case "$dir" in
  /*) ;;
  *) dir="$(pwd)/$dir" ;;
esac
sock="$dir/run/cups.sock"

client() {
  CUPS_SERVER="$sock" CUPS_SERVERROOT="$dir/etc" LC_ALL=C "$@"
}

laeuft() {
  [ -S "$sock" ] && client lpstat -r 2>/dev/null | grep -q "is running"
}

cupsd_pid() {
  cat "$dir/run/cupsd.pid" 2>/dev/null || true
}

pdf_ppd() {
  local p
  for p in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/cups/model/CUPS-PDF_opt.ppd; do
    if [ -r "$p" ]; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

konfig_schreiben() {
  cat >"$dir/etc/cupsd.conf" <<EOF
LogLevel warn
Listen $sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
User lp
Group lp
SystemGroup lpadmin
FileDevice Yes
EOF
  cat >"$dir/etc/cups-pdf.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/spool/cups-pdf
Log $dir/log
GSTmp $dir/spool/tmp
Grp lpadmin
EOF
}

start() {
  local waechter=""
  if [ "${1:-}" = "--waechter" ]; then
    waechter=${2:?--waechter braucht eine Prozessnummer}
  fi
  command -v cupsd >/dev/null || nicht_moeglich "cupsd fehlt (Paket cups)"
  command -v lpadmin >/dev/null || nicht_moeglich "lpadmin fehlt (Paket cups-client)"
  [ "$(id -u)" -eq 0 ] || nicht_moeglich "cupsd braucht root (läuft als $(id -un))"
  getent passwd lp >/dev/null || nicht_moeglich "Benutzer lp fehlt"
  getent group lpadmin >/dev/null || nicht_moeglich "Gruppe lpadmin fehlt"
  local ppd
  ppd=$(pdf_ppd) || nicht_moeglich "PPD von cups-pdf fehlt (Paket printer-driver-cups-pdf)"
  if [ -e "$dir" ] && [ -n "$(ls -A "$dir")" ]; then
    fehler "$dir ist nicht leer"
  fi

  mkdir -p "$dir"/{etc/ppd,etc/ssl,run,spool/tmp,spool/cups-pdf,cache,state,log,pdf}
  # The filters run as lp and must reach the spool and the output below DIR.
  chmod 0755 "$dir" "$dir/run" "$dir/log"
  chmod 0777 "$dir/pdf"
  konfig_schreiben

  local modus=datei
  if [ "${CUPS_PRIVAT_MODUS:-}" != datei ] &&
    [ -x /usr/lib/cups/backend/cups-pdf ] && [ -f /etc/cups/cups-pdf.conf ] &&
    unshare --mount --propagation private \
      mount --bind "$dir/etc/cups-pdf.conf" /etc/cups/cups-pdf.conf 2>/dev/null; then
    modus=cups-pdf
  fi
  echo "$modus" >"$dir/modus"

  if [ "$modus" = cups-pdf ]; then
    unshare --mount --propagation private sh -c \
      'mount --bind "$1" /etc/cups/cups-pdf.conf && exec cupsd -f -c "$2" -s "$3"' \
      sh "$dir/etc/cups-pdf.conf" "$dir/etc/cupsd.conf" "$dir/etc/cups-files.conf" \
      </dev/null >"$dir/log/cupsd.out" 2>&1 &
  else
    cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
      </dev/null >"$dir/log/cupsd.out" 2>&1 &
  fi
  local pid=$!
  echo "$pid" >"$dir/run/cupsd.pid"

  local i
  for i in $(seq 100); do
    laeuft && break
    if ! kill -0 "$pid" 2>/dev/null; then
      nicht_moeglich "cupsd hat sich beendet: $(tail -n 3 "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tr '\n' ' ')"
    fi
    sleep 0.1
  done
  if ! laeuft; then
    kill "$pid" 2>/dev/null || true
    nicht_moeglich "cupsd antwortet nach 10 s nicht"
  fi

  if [ -n "$waechter" ]; then
    # Stops the scheduler and removes DIR when the owner ended without "stop" (a crash or a
    # timeout), so no scheduler outlives its test.
    (
      while kill -0 "$waechter" 2>/dev/null && kill -0 "$pid" 2>/dev/null; do sleep 1; done
      if kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        sleep 1
        rm -rf "$dir"
      fi
    ) </dev/null >/dev/null 2>&1 &
  fi

  local pdf_uri="cups-pdf:/"
  [ "$modus" = cups-pdf ] || pdf_uri="file://$dir/pdf/PDF.ausgabe"
  client lpadmin -p PDF -E -v "$pdf_uri" -P "$ppd" 2>"$dir/log/lpadmin.out" ||
    fehler "Warteschlange PDF: $(cat "$dir/log/lpadmin.out")"
  client lpadmin -p Buero-FAX -E -v file:///dev/null ||
    fehler "Warteschlange Buero-FAX nicht angelegt"
  client lpadmin -d PDF || fehler "PDF nicht als Standard gesetzt"
}

stop() {
  local pid
  pid=$(cupsd_pid)
  [ -n "$pid" ] || return 0
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    local i
    for i in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$dir/run/cupsd.pid"
}

case "$befehl" in
  start) start "$@" ;;
  stop) stop ;;
  queue-add)
    name=${1:?Name fehlt}
    modell=()
    [ -z "${3:-}" ] || modell=(-m "$3")
    client lpadmin -p "$name" -E -v "${2:-file:///dev/null}" "${modell[@]}" 2>"$dir/log/lpadmin.out" ||
      fehler "Warteschlange $name: $(cat "$dir/log/lpadmin.out")"
    ;;
  queue-del)
    name=${1:?Name fehlt}
    client lpadmin -x "$name"
    ;;
  jobs)
    client lpstat -W completed -o ${1:+"$1"}
    ;;
  env)
    echo "export CUPS_SERVER=$sock"
    echo "export CUPS_SERVERROOT=$dir/etc"
    ;;
  *)
    echo "cups_privat: unbekannter Befehl $befehl" >&2
    exit 2
    ;;
esac
