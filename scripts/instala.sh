#!/usr/bin/env bash
# Installs what building and testing Tarvo32 needs on Debian 12.
set -euo pipefail
paquetes=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-translations-l10n libsqlite3-dev sqlite3
  libgtest-dev googletest
  xvfb xauth fonts-dejavu-core
)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${faltan[@]}"
fi
