#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
racine="$(cd "$(dirname "$0")" && pwd)"
"$racine/scripts/installe_dependances.sh"
"$racine/scripts/construit.sh"
cd "$racine/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"
