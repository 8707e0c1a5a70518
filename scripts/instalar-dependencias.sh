#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Installs the Debian packages that building and testing need. Idempotent:
# quiet, and without touching apt, when everything is already present.
#
#   instalar-dependencias.sh [--wine | --windows]
#
# --wine adds the MinGW-w64 tool chains (32 and 64 bits), the 64-bit Wine and
# a Spanish UTF-8 locale: what the Windows launcher and its tests under Wine
# need. --windows adds, besides, the static libxml2 of the Windows build
# (scripts/libxml2-windows.sh, kept in a cache folder outside the tree).
set -eu

PAQUETES="
  build-essential cmake ninja-build pkg-config
  libxml2-dev libxml2-utils libicu-dev zlib1g-dev
  googletest libgtest-dev libgmock-dev
  fp-compiler fp-units-db fp-units-fcl
  python3 python3-dbf
  qt6-base-dev qt6-translations-l10n libgl-dev
  libchm-dev fp-utils
  xvfb xauth x11-utils
  libxcb1-dev xdotool
  dpkg-dev lintian scdoc librsvg2-bin appstream desktop-file-utils man-db
"
PAQUETES_WINE="
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  wine64 wine locales
"
PAQUETES_WINDOWS="wixl"
LOCALE_ES=es_ES.UTF-8

wine=no
windows=no
for opcion in "$@"; do
  case $opcion in
    --wine) wine=si ;;
    --windows) wine=si; windows=si ;;
    *) echo "uso: $0 [--wine | --windows]" >&2; exit 2 ;;
  esac
done
[ "$wine" = si ] && PAQUETES="$PAQUETES $PAQUETES_WINE"
[ "$windows" = si ] && PAQUETES="$PAQUETES $PAQUETES_WINDOWS"

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

faltan=""
for p in $PAQUETES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan="$faltan $p"
  fi
done
if [ -n "$faltan" ]; then
  echo "Instalando:$faltan"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  $sudo apt-get install -y -qq --no-install-recommends $faltan >/dev/null
fi

# Hours in the example documents are written "2,5": the Windows side's tests
# run the desktop program under a Spanish locale.
if [ "$wine" = si ] && ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  echo "Generando la configuración regional $LOCALE_ES"
  $sudo localedef -i es_ES -f UTF-8 "$LOCALE_ES"
fi

if [ "$windows" = si ]; then
  "$(dirname "$0")/libxml2-windows.sh" 64 >/dev/null
  "$(dirname "$0")/libxml2-windows.sh" 32 >/dev/null
  # The i686 programs' tests need the 32-bit Wine. The archive's i386 side
  # has lagged its amd64 side before, and some kernels run no 32-bit
  # programs at all (where Debian's `wine` would then pick the 32-bit loader
  # and fail for every program): without it those tests are skipped
  # (scripts/pruebas.sh says so), and nothing else fails for that reason.
  if ! "$(dirname "$0")/ejecuta-32-bits.sh"; then
    echo "Este núcleo no ejecuta programas de 32 bits: no se instala wine32" >&2
  elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
    echo "Instalando wine32:i386"
    export DEBIAN_FRONTEND=noninteractive
    if ! { $sudo dpkg --add-architecture i386 && $sudo apt-get update -qq &&
           $sudo apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null; }; then
      echo "wine32:i386 no se puede instalar desde el archivo: los programas de 32 bits no se prueban" >&2
    fi
  fi
fi
exit 0
