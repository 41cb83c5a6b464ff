#!/usr/bin/env bash
# Installs the dependencies, builds Tarvo32 and starts it from its program
# tree, with the relay simulator attached as its port COM1 (a TRV-610 relay,
# number 1, password 1234) for as long as the program runs.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instala.sh"
"$raiz/scripts/compila.sh"
arbol="$raiz/build/tree"
programa="$arbol/tarvo32/tarvo32"

# The relay keeps what it is sent in its state file from one run to the next;
# its log shows every frame of the line.
listo="$arbol/relaysim.listo"
rm -f "$listo"
"$arbol/tarvo32/tarvo32-relaysim" --program "$arbol/tarvo32" --port 1 \
  --model "$arbol/models/TRV610.MDB" \
  --state "$arbol/relaysim-estado.txt" --log "$arbol/relaysim.log" >"$listo" &
simulador=$!
trap 'kill "$simulador" 2>/dev/null || true; wait "$simulador" 2>/dev/null || true' EXIT
# The program looks for its ports as it starts: wait until the relay says it
# is attached.
for _ in $(seq 100); do
  [ -s "$listo" ] && break
  kill -0 "$simulador" 2>/dev/null || { echo "The relay simulator did not start." >&2; exit 1; }
  sleep 0.1
done
cat "$listo" >&2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Tarvo32 inside a virtual X server (xvfb-run)." >&2
  xvfb-run -a -s "-screen 0 1024x768x24" "$programa"
else
  "$programa"
fi
