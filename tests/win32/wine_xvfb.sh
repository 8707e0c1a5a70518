#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Runs the Win32 window's tests (the driver, a Windows program) in a Wine
# prefix of their own on an Xvfb server of their own. Without a window
# manager Wine waits about 2 s at every modal close unless its windows are
# unmanaged (Managed=N).
#
#   wine_xvfb.sh CONDUCTOR.exe PROGRAMA.exe NORVICA.chm ANFITRION.exe CLI.exe CENTRO.xml [CARPETA_CAPTURAS]
#
# Skipped (77) without Xvfb or a 64-bit Wine.
set -eu
conductor=$1 programa=$2 ayuda=$3 anfitrion=$4 cli=$5 centro=$6 capturas=${7:-}

# The 64-bit loader itself when "wine" picks a 32-bit one this machine cannot run.
wine=wine
if ! wine --version >/dev/null 2>&1; then
  wine=/usr/lib/wine/wine64
  WINELOADER=$wine
  export WINELOADER
fi
for herramienta in Xvfb wineserver "$wine"; do
  if ! command -v "$herramienta" >/dev/null 2>&1; then
    echo "SKIP: falta $herramienta"
    exit 77
  fi
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-win32.XXXXXX")
WINEPREFIX=$tmp/prefijo WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH
pids=""
limpiar() {
  wineserver -k 2>/dev/null || true
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  for p in $pids; do wait "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap limpiar EXIT

. "$(dirname "$0")/../comun/xvfb.sh"
arrancar_xvfb
"$wine" wineboot -i >"$tmp/wineboot.out" 2>&1 || falla "wineboot"
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$tmp/reg.out" 2>&1 || falla "reg"

z() { printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'; }
THN_PROGRAMA=$(z "$programa") THN_AYUDA=$(z "$ayuda") THN_ANFITRION=$(z "$anfitrion") THN_CLI=$(z "$cli")
THN_CENTRO=$(z "$centro")
export THN_PROGRAMA THN_AYUDA THN_ANFITRION THN_CLI THN_CENTRO
if [ -n "$capturas" ]; then
  mkdir -p "$capturas"
  THN_CAPTURAS=$(z "$capturas/.")
  export THN_CAPTURAS
fi
"$wine" "$conductor" --gtest_filter=${THN_FILTRO:-*} 2>"$tmp/conductor.err"
