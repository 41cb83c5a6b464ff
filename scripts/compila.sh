#!/usr/bin/env bash
# Configures and builds Tarvo32 into build/ (the program tree is build/tree/).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$raiz" -B "$raiz/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$raiz/build" --parallel "$(nproc)"
