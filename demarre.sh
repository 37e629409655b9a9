#!/usr/bin/env bash
# Installs what is missing, builds, and starts Probelog (demonstration mode when no instrument
# is described). Without a display it runs the demonstration without a window.
set -euo pipefail
racine="$(cd "$(dirname "$0")" && pwd)"
"$racine/scripts/installe_dependances.sh"
"$racine/scripts/construit.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Aucun écran (DISPLAY n'est pas défini) : démonstration sans fenêtre."
  echo "Pour voir la fenêtre sans écran : xvfb-run -a $racine/build/probelog"
  echo "Résultat : nombre de points, lignes rejetées, fichier d'enregistrement écrit, ligne de base et aire, hauteur."
  exec "$racine/build/probelog" --sans-fenetre --demo 400 --t0 100 "$@"
fi
exec "$racine/build/probelog" "$@"
