#!/usr/bin/env bash
# Installs what the build, the program and the tests need, with apt-get. Idempotent: when every
# package is already there it installs nothing.
set -euo pipefail
paquets=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libgl-dev
  libgtest-dev libbenchmark-dev
  socat xvfb xauth imagemagick fonts-dejavu-core
)
manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$p")
  fi
done
if [ ${#manquants[@]} -eq 0 ]; then
  exit 0
fi
echo "Installation de : ${manquants[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${manquants[@]}"
