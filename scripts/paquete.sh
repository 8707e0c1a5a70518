#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The Debian package as a distribution would take it: builds it (hardened
# Release under /usr), checks it with lintian at pedantic level, its menu
# entry, AppStream metadata and man pages, installs it with dpkg, runs the
# installed command-line program on the example and the installed window under
# Xvfb, where F1 must open the help from the installed paths; then removes it
# and checks that nothing of it is left in /usr. Asks for sudo for dpkg
# when not run as root.
set -eu
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi

cmake --preset paquete >/dev/null
cmake --build --preset paquete
(cd build/paquete && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls build/paquete/transhoralianorvica_*.deb)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== lintian --pedantic"
lintian --pedantic --display-info --fail-on error,warning,info,pedantic "$deb"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-paquete.XXXXXX")
pids=""
limpiar() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  for p in $pids; do wait "$p" 2>/dev/null || true; done
  if dpkg-query -W -f='${Status}' transhoralianorvica 2>/dev/null | grep -q 'ok installed'; then
    $sudo dpkg -r transhoralianorvica >/dev/null
  fi
  rm -rf "$tmp"
}
trap limpiar EXIT
falla() {
  echo "FALLO: $*" >&2
  for f in "$tmp"/*.out; do [ -f "$f" ] && { echo "--- $f"; cat "$f"; } >&2; done
  exit 1
}
# Polls a condition, 0.1 s at a time, for at most 20 s.
esperar() {
  n=0
  until eval "$1"; do
    n=$((n + 1)); [ "$n" -lt 200 ] || return 1
    sleep 0.1
  done
}
# Everything under /usr but the caches that menu and icon triggers rebuild.
inventario() { find /usr -path /usr/local -prune -o ! -name '*.cache' -print | sort; }

$sudo dpkg -r transhoralianorvica >/dev/null 2>&1 || true
inventario >"$tmp/antes"
echo "== dpkg -i"
$sudo dpkg -i "$deb"

echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate /usr/share/applications/transhoralianorvica.desktop
appstreamcli validate --pedantic --no-net /usr/share/metainfo/*.transhoralianorvica.metainfo.xml

echo "== man"
for idioma in en es; do
  for pagina in transhoralianorvica transhoralianorvica-cli; do
    LC_ALL=C.UTF-8 MANWIDTH=80 man -L "$idioma" --warnings "$pagina" >"$tmp/man.out" 2>"$tmp/man-avisos.out" ||
      falla "man -L $idioma $pagina"
    [ ! -s "$tmp/man-avisos.out" ] || falla "avisos de man -L $idioma $pagina"
    grep -q "^S[IY]NOPSIS" "$tmp/man.out" || falla "man -L $idioma $pagina: sin sinopsis"
  done
  sed -n 1,3p "$tmp/man.out"
done
grep -q "^ESTADO DE SALIDA" "$tmp/man.out" || falla "la página en español no es la española"

echo "== transhoralianorvica-cli exportar examples/centro.xml"
mkdir "$tmp/HTEMP"
cp examples/centro.xml "$tmp/centro.xml"
/usr/bin/transhoralianorvica-cli exportar "$tmp/centro.xml" --htemp "$tmp/HTEMP" --separador-decimal , \
  >"$tmp/cli.out" || falla "la exportación falla"
head -n 1 "$tmp/cli.out"
grep -q "^Proceso finalizado" "$tmp/cli.out" || falla "sin «Proceso finalizado»"
for t in ASIGNOMT PROFT AULAT GRUPOST DIASHORAST ASIGT; do
  [ -s "$tmp/HTEMP/$t.DBF" ] || falla "falta $t.DBF"
done

echo "== transhoralianorvica y F1 bajo Xvfb"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/pantalla" >"$tmp/xvfb.out" 2>&1 &
pids="$pids $!"
esperar '[ -s "$tmp/pantalla" ]' || falla "Xvfb no arranca"
DISPLAY=:$(cat "$tmp/pantalla") QT_QPA_PLATFORM=xcb TRANSHORALIA_HTEMP=$tmp/HTEMP
export DISPLAY QT_QPA_PLATFORM TRANSHORALIA_HTEMP
ventana() { xwininfo -root -tree | sed -n "s/^ *\(0x[0-9a-f]*\) \"$1\".*/\1/p" | head -n 1; }
# Installed programs only: nothing beside a build tree may serve the help.
(cd / && exec /usr/bin/transhoralianorvica) >"$tmp/programa.out" 2>&1 &
pids="$pids $!"
esperar '[ -n "$(ventana "Exportar e importar datos entre Horalia y NORVICA")" ]' || falla "la ventana no aparece"
id=$(ventana "Exportar e importar datos entre Horalia y NORVICA")
# No window manager: a click on a bare spot of the bottom panel activates it.
xdotool mousemove --window "$id" 600 250 click 1
sleep 0.5
xdotool key F1
esperar '[ -n "$(ventana "Ayuda de TransHoraliaNorvica")" ]' || falla "F1 no abre la ayuda"
echo "F1: ventana «Ayuda de TransHoraliaNorvica»"

echo "== dpkg -r"
for p in $pids; do kill "$p" 2>/dev/null || true; done
for p in $pids; do wait "$p" 2>/dev/null || true; done
pids=""
$sudo dpkg -r transhoralianorvica
inventario >"$tmp/despues"
if ! diff "$tmp/antes" "$tmp/despues" >"$tmp/restos.out"; then
  falla "queda algo en /usr"
fi
echo "nada queda en /usr"
