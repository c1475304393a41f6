#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program; a data file may be named to open it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
exec ./build/ventrel "$@"
