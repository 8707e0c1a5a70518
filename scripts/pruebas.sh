#!/bin/sh
# Installs what is missing, builds with warnings as errors and runs every
# test; then builds again under AddressSanitizer and UndefinedBehaviorSanitizer
# and runs every test once more. With --windows, also the Windows build
# (MinGW-w64): its tests under Wine, and its command-line program against
# the Linux one.
set -eu
cd "$(dirname "$0")/.."

presets="ci asan"
case ${1:-} in
  --windows) presets="$presets windows" ;;
  "") ;;
  *) echo "uso: $0 [--windows]" >&2; exit 2 ;;
esac

./scripts/instalar-dependencias.sh ${1:-}

for preset in $presets; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

if [ "${1:-}" = --windows ]; then
  echo "== windows: programa de órdenes frente al de Linux"
  tests/windows/cruce_cli.sh build/ci build/windows
  (cd build/windows && cpack)
fi
