#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages
build_project
if [ -x build/bin/quarvelometer ]; then
  exec build/bin/quarvelometer "$@"
fi
echo "Built; the program itself is not there yet."
