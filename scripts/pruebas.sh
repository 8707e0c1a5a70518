#!/bin/sh
# Installs what is missing (MinGW-w64 and Wine included, for the launcher
# Horalia starts under Wine), builds with warnings as errors and runs every
# test; then builds again under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test once more.
set -eu
cd "$(dirname "$0")/.."

./scripts/instalar-dependencias.sh --wine

for preset in ci asan; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
