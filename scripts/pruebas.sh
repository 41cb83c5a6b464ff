#!/usr/bin/env bash
# Installs the dependencies, builds Tarvo32 and runs every test headless.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instala.sh"
"$raiz/scripts/compila.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$raiz/build" --output-on-failure --parallel "$(nproc)" --timeout 600
