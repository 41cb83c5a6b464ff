#!/usr/bin/env bash
# Installs the dependencies, builds Tarvo32 and starts it from its program tree.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instala.sh"
"$raiz/scripts/compila.sh"
programa="$raiz/build/tree/tarvo32/tarvo32"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Tarvo32 inside a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$programa"
fi
exec "$programa"
