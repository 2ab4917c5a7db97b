#!/usr/bin/env bash
# Installs what is missing, builds a release, makes a demo plant directory with the
# collector stand-in and starts the viewer on it while the stand-in keeps writing.
# Without a display the viewer runs on a virtual one and a screenshot is saved.
#   ./run.sh              until the viewer is closed (or Ctrl-C)
#   ./run.sh --dauer 30   ends by itself after 30 seconds
set -euo pipefail
cd "$(dirname "$0")"
DAUER=""
if [ "${1:-}" = "--dauer" ]; then DAUER="${2:?Sekunden fehlen}"; fi

source scripts/deps.sh
pegel_deps_install

BUILD=build/release
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPEGEL_TESTS=OFF -DPEGEL_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target pegelwart pegelsim pegeltool

DEMO="$PWD/demo"
mkdir -p "$DEMO"
if [ ! -f "$DEMO/PEGELDDE.INI" ]; then
  echo "Lege die Demo-Anlage in $DEMO an (drei Tage Vorlauf) ..."
  "$BUILD/tools/pegelsim/pegelsim" --dir "$DEMO" --backfill 3 --samples 1 --seed 7 >/dev/null
fi

PIDS=()
aufraeumen() {
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
}
trap aufraeumen EXIT INT TERM

"$BUILD/tools/pegelsim/pegelsim" --dir "$DEMO" --interval 1 --seed 7 >"$DEMO/pegelsim.log" 2>&1 &
PIDS+=($!)
echo "Simulator schreibt jede Sekunde nach $DEMO (Protokoll: demo/pegelsim.log)"

VIRTUELL=""
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    if [ ! -e "/tmp/.X${n}-lock" ]; then VIRTUELL=":$n"; break; fi
  done
  Xvfb "$VIRTUELL" -screen 0 1280x900x24 >/dev/null 2>&1 &
  PIDS+=($!)
  export DISPLAY="$VIRTUELL"
  sleep 1
  echo "Kein Bildschirm gefunden: die Anzeige läuft auf dem virtuellen Bildschirm $DISPLAY."
fi
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"

"$BUILD/src/app/pegelwart" --dir "$DEMO" &
VIEWER=$!
PIDS+=($VIEWER)

if [ -n "$VIRTUELL" ]; then
  sleep 8
  import -display "$DISPLAY" -window root "$DEMO/bildschirm.png" 2>/dev/null &&
    echo "Bildschirmfoto gespeichert: $DEMO/bildschirm.png"
fi

if [ -n "$DAUER" ]; then
  sleep "$DAUER"
  echo "Ende nach $DAUER Sekunden."
  exit 0
fi
wait "$VIEWER" || true
