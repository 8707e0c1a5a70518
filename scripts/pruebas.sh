#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Installs what is missing (MinGW-w64 and Wine included, for the launcher
# Horalia starts under Wine), builds with warnings as errors and runs every
# test; builds the Debian package and tries it installed (scripts/paquete.sh);
# then builds again under AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test once more.
set -eu
cd "$(dirname "$0")/.."

./scripts/instalar-dependencias.sh --wine
./scripts/spdx.sh --comprobar

pruebas() {
  echo "== $1"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1"
}

pruebas ci
echo "== paquete"
./scripts/paquete.sh
pruebas asan
