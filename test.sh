#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
install_missing_packages
ensure_test_locale
build_project
cd build
ctest --output-on-failure -j"$(nproc)"
