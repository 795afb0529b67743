#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
#   scripts/run.sh            talk to the attached mouse
#   scripts/run.sh --virtual  use the built-in virtual mouse instead
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ "${1:-}" = "--virtual" ]; then
  export SKELDA_VIRTUAL_DEVICE=mouse
fi
exec build/bin/skelda
