#!/bin/sh
# Installs the Debian packages that building and testing need. Idempotent:
# quiet, and without touching apt, when everything is already present.
#
#   instalar-dependencias.sh [--windows]
#
# --windows adds the MinGW-w64 tool chain and wine64 for the Windows build
# and its tests, and builds the static libxml2 it links
# (scripts/libxml2-windows.sh, kept in a cache folder outside the tree).
set -eu

windows=no
for opcion in "$@"; do
  case $opcion in
    --windows) windows=si ;;
    *) echo "uso: $0 [--windows]" >&2; exit 2 ;;
  esac
done

PAQUETES="
  build-essential cmake ninja-build pkg-config
  libxml2-dev libxml2-utils libicu-dev
  googletest libgtest-dev libgmock-dev
  fp-compiler fp-units-db fp-units-fcl
  python3 python3-dbf
  qt6-base-dev qt6-translations-l10n libgl-dev
  libchm-dev fp-utils
  xvfb xauth x11-utils
  libxcb1-dev xdotool
"
[ "$windows" = si ] && PAQUETES="$PAQUETES g++-mingw-w64-x86-64-posix wine64 wine"

faltan=""
for p in $PAQUETES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan="$faltan $p"
  fi
done
if [ -n "$faltan" ]; then
  echo "Instalando:$faltan"
  if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $faltan >/dev/null
fi
[ "$windows" = si ] && "$(dirname "$0")/libxml2-windows.sh" >/dev/null
exit 0
