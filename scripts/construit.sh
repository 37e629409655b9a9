#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug information).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$racine" -B "$racine/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$racine/build" -j"$(nproc)"
