#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The installer under Wine, as an IT team deploys it, in a prefix of its own:
#   msi_wine.sh MSI WXS CARPETA CENTRO_XML
# - an older version installs silently into a folder that holds Horalia
#   (a path with a space), and the shipped MSI upgrades it in place without
#   being told the folder again: one product left, the new programs there;
# - the installed command-line program runs from that folder;
# - silent removal leaves Horalia's folder exactly as it was (Horalia.exe,
#   Horalia.ini) and takes its registry values and shortcut with it.
# CARPETA holds the three files the MSI was built from.
set -eu
msi=$1 wxs=$2 programas=$3 centro=$4
tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-msi.XXXXXX")
THN_WINEPREFIX=$tmp/prefijo
export THN_WINEPREFIX
. "$(dirname "$0")/../../scripts/wine-entorno.sh"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$tmp"' EXIT
fallos=0
falla() { echo "FALLO: $*" >&2; fallos=$((fallos + 1)); }
arq=x64
case $msi in *-x86.msi) arq=x86 ;; esac

horalia="$WINEPREFIX/drive_c/Centro Escolar/Horalia"
mkdir -p "$horalia"
printf 'MZ horalia' >"$horalia/Horalia.exe"
printf '[TransHoraliaNorvica]\r\nTransformado=1\r\n' >"$horalia/Horalia.ini"
antes=$(cd "$horalia" && sha256sum ./*)

productos() {  # how many products of ours Windows lists as installed
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
    grep -c 'DisplayName.*TransHoraliaNorvica' || true
}

# An older version of the same product, built from the same source, whose
# files differ from the new ones.
mkdir "$tmp/anterior"
cp "$programas"/* "$tmp/anterior/"
for f in "$tmp/anterior"/*; do printf 'anterior' >>"$f"; done
(cd "$tmp/anterior" && wixl -a $arq -D Version=0.9.0 -o "$tmp/anterior.msi" "$wxs")
wine msiexec /i "$(winepath -w "$tmp/anterior.msi")" 'HORALIADIR=C:\Centro Escolar\Horalia\' /qn ||
  falla "la versión anterior no se instala"
[ -f "$horalia/transhoralianorvica.exe" ] || falla "la versión anterior no va a la carpeta de Horalia"

wine msiexec /i "$(winepath -w "$msi")" /qn || falla "la actualización no se instala"
for f in transhoralianorvica.exe transhoralianorvica-cli.exe NORVICA.chm; do
  cmp -s "$programas/$f" "$horalia/$f" || falla "$f no es el de la versión nueva en la carpeta de Horalia"
done
[ "$(productos)" = 1 ] || falla "tras actualizar hay $(productos) productos instalados, no 1"
find "$WINEPREFIX" -name 'TransHoraliaNorvica.lnk' | grep -q . || falla "no hay acceso directo en el menú Inicio"

# The installed program, run from Horalia's folder, exports the example.
mkdir -p "$tmp/HTEMP"
if ! (cd "$horalia" && wine ./transhoralianorvica-cli.exe exportar "$centro" --htemp "$tmp/HTEMP" \
      --separador-decimal , >"$tmp/salida" 2>&1 </dev/null); then
  cat "$tmp/salida" >&2
  falla "el programa de órdenes instalado no exporta"
fi
[ -f "$tmp/HTEMP/ASIGNOMT.DBF" ] || falla "la exportación del programa instalado no deja las tablas"

wine msiexec /x "$(winepath -w "$msi")" /qn || falla "la desinstalación falla"
despues=$(cd "$horalia" && sha256sum ./*)
[ "$antes" = "$despues" ] || falla "la carpeta de Horalia no queda como estaba: $despues"
[ "$(productos)" = 0 ] || falla "tras desinstalar sigue instalado"
wine reg query 'HKLM\Software\TransHoraliaNorvica' >/dev/null 2>&1 &&
  falla "quedan valores en el registro"
wine reg query 'HKLM\Software\Wow6432Node\TransHoraliaNorvica' >/dev/null 2>&1 &&
  falla "quedan valores en el registro"
find "$WINEPREFIX" -name 'TransHoraliaNorvica.lnk' | grep -q . && falla "queda el acceso directo"

[ "$fallos" = 0 ] || exit 1
echo "instalar, actualizar y desinstalar: bien"
