#!/usr/bin/env bash
# Builds the libFuzzer targets with clang 14 and runs each for SECONDS
# (default 60). Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
segundos="${1:-60}"
shift || true
"$raiz/scripts/instala.sh"
if ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed"; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends clang-14 libclang-rt-14-dev
fi
cmake -S "$raiz" -B "$raiz/build-fuzz" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTARVO_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$raiz/build-fuzz" --parallel "$(nproc)"
objetivos=("$@")
if [ ${#objetivos[@]} -eq 0 ]; then
  for f in "$raiz"/fuzz/*.cpp; do objetivos+=("$(basename "$f" .cpp)"); done
fi
for o in "${objetivos[@]}"; do
  corpus="$raiz/build-fuzz/corpus/$o"
  mkdir -p "$corpus"
  semillas="$raiz/fuzz/semillas/$o"
  [ -d "$semillas" ] || semillas=""
  echo "== $o: ${segundos}s"
  "$raiz/build-fuzz/fuzz/$o" -max_total_time="$segundos" -print_final_stats=1 "$corpus" $semillas
done
