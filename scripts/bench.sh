#!/usr/bin/env bash
# Builds Tarvo32 and runs every benchmark (or those named) from the build tree.
# Usage: scripts/bench.sh [NAME...]   (names are the bench_* executables)
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
"$raiz/scripts/instala.sh"
"$raiz/scripts/compila.sh"
nombres=("$@")
if [ ${#nombres[@]} -eq 0 ]; then
  while IFS= read -r f; do nombres+=("$(basename "$f")"); done < <(find "$raiz/build/bench" -maxdepth 2 -type f -name 'bench_*' -perm -u+x | sort)
fi
for n in "${nombres[@]}"; do
  echo "== $n"
  "$(find "$raiz/build/bench" -maxdepth 2 -type f -name "$n" | head -1)"
done
