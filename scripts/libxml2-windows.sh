#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Builds libxml2 for Windows (static, MinGW-w64) from Debian's own source
# package into a cache folder outside the repository, and reuses it when it
# is there. Prints the folder to give CMake as THN_LIBXML2_WINDOWS.
# Without iconv it knows no windows-1252: the core registers that encoding.
#
#   libxml2-windows.sh [64 | 32]     (64 bits unless told)
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
case ${1:-64} in
  64) cadena=x86_64 ;;
  32) cadena=i686 ;;
  *) echo "uso: $0 [64 | 32]" >&2; exit 2 ;;
esac
cache=$HOME/.cache/transhoralianorvica  # where the windows presets look
destino=$cache/libxml2-mingw${1:-64}
if [ -f "$destino/completo" ]; then
  echo "$destino"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
if ! apt-get source --print-uris libxml2 >/dev/null 2>&1; then
  # Source packages come from the same archive as the binary ones.
  echo "Añadiendo las fuentes de Debian (deb-src) de bookworm main" >&2
  $sudo sh -c 'cat > /etc/apt/sources.list.d/transhoralianorvica-fuentes.sources' <<'FUENTES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
FUENTES
  $sudo apt-get update -qq
fi

trabajo=$(mktemp -d "${TMPDIR:-/tmp}/thn-libxml2.XXXXXX")
trap 'rm -rf "$trabajo"' EXIT
echo "Compilando libxml2 para Windows en $destino" >&2
(cd "$trabajo" && apt-get source -qq libxml2 >/dev/null 2>&1)
fuente=$(find "$trabajo" -mindepth 1 -maxdepth 1 -type d -name 'libxml2-*')
cmake -S "$fuente" -B "$trabajo/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$raiz/cmake/mingw-w64-$cadena.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$destino" \
  -DBUILD_SHARED_LIBS=OFF -DLIBXML2_WITH_ICONV=OFF -DLIBXML2_WITH_ICU=OFF \
  -DLIBXML2_WITH_ZLIB=OFF -DLIBXML2_WITH_LZMA=OFF -DLIBXML2_WITH_PYTHON=OFF \
  -DLIBXML2_WITH_HTTP=OFF -DLIBXML2_WITH_FTP=OFF -DLIBXML2_WITH_TESTS=OFF \
  -DLIBXML2_WITH_PROGRAMS=OFF >/dev/null
cmake --build "$trabajo/build" -j2 >/dev/null
rm -rf "$destino"
cmake --install "$trabajo/build" >/dev/null
# A build cut short is never taken for a finished one.
: >"$destino/completo"
echo "$destino"
