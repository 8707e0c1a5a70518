#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Horalia under Wine, end to end, on Xvfb: a stand-in Horalia (a Windows
# program) in a fresh Wine prefix, the launcher put beside it by
# "transhoralianorvica-cli instalar-wine", and the Linux desktop program.
#  1. Horalia starts the launcher with "exportar" and the handle of a child
#     area of its window: the desktop program shows inside Horalia's X11
#     window at that area's offset; an export driven like a user (click,
#     the file dialog, the message box) completes on examples/centro.xml;
#     Horalia's INI beside it holds Transformado=1.
#  2. Horalia's window goes away during the run: the program ends with 0.
#  3. A handle of no window: the error box, the program alone, nothing written.
#  4. Two parameters that are no direction and handle reach a program at a
#     path of spaces, quotes, $, backticks and «ñ» unchanged, through Wine's
#     own splitting of both command lines, and its exit status comes back.
# Nothing is ever written beside the desktop program.
#
#   wine_xvfb.sh PROGRAMA CLI ANFITRION.exe CAPTURA [CARPETA_CAPTURAS]
#
# Skipped (77) without wine, Xvfb, xwininfo or xdotool.
set -eu
programa=$1 cli=$2 anfitrion=$3 captura=$4 capturas=${5:-}
documento=$(cd "$(dirname "$0")/../.." && pwd)/examples/centro.xml

for herramienta in wine wineboot wineserver Xvfb xwininfo xdotool; do
  if ! command -v "$herramienta" >/dev/null 2>&1; then
    echo "SKIP: falta $herramienta"
    exit 77
  fi
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-wine.XXXXXX")
WINEPREFIX=$tmp/prefijo WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
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
# The prefix's desktop belongs to the X server it first saw: make it now.
wineboot -i >"$tmp/wineboot.out" 2>&1 || falla "wineboot"
# One server for every round: Horalia of a round may start just as the
# server of the last one shuts down.
THN_WINEPREFIX=$WINEPREFIX "$(dirname "$0")/../../scripts/wine-servidor.sh" arrancar || falla "servidor de Wine"

# Hours are written "2,5": a Spanish locale reads them; without one, whole hours.
if locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
  LANG=es_ES.UTF-8
  cp "$documento" "$tmp/centro.xml"
else
  LANG=C.UTF-8
  sed 's/nhoras="\([0-9]*\),[0-9]*"/nhoras="\1"/g' "$documento" >"$tmp/centro.xml"
fi
unset LC_ALL LC_CTYPE LC_NUMERIC
export LANG

horalia=$WINEPREFIX/drive_c/Horalia
mkdir -p "$horalia" "$WINEPREFIX/drive_c/HTEMP"
cp "$anfitrion" "$horalia/Horalia.exe"
"$cli" instalar-wine --programa "$programa" >"$tmp/instalar.out" 2>&1 || falla "instalar-wine"
grep -q "^Lanzador de 64 bits: $horalia/transhoralianorvica.exe$" "$tmp/instalar.out" || falla "instalar-wine"

titulo="Exportar e importar datos entre Horalia y NORVICA"
hijo_de() {  # the program's window among the children of window $1
  xwininfo -id "$1" -children 2>/dev/null | sed -n "s/^ *\(0x[0-9a-f]*\) \"$titulo\".*/\1/p" | head -n 1
}
# Moves the pointer into the window named $1 (focus follows it) and presses keys.
teclas_en() {
  nombre=$1
  shift
  esperar '[ -n "$(ventana_llamada "$nombre")" ]' || falla "no aparece la ventana $nombre"
  v=$(ventana_llamada "$nombre")
  xdotool mousemove --window "$v" 30 30 sleep 0.3 "$@"
}

# Starts Horalia with the direction $1 (and the handle $2 when given); sets
# host_pid and, once its window shows, host (its X11 window, 0x...).
abrir_horalia() {
  : >"$tmp/horalia.out"
  wine "$horalia/Horalia.exe" 'C:\Horalia\transhoralianorvica.exe' "$@" >"$tmp/horalia.out" 2>"$tmp/wine.out" &
  host_pid=$!
  pids="$pids $host_pid"
  esperar 'grep -q "^x11 " "$tmp/horalia.out"' || falla "Horalia no abre su ventana"
  host=0x$(sed -n 's/^x11 //p' "$tmp/horalia.out" | tr 'A-F' 'a-f')
}
terminada() {  # Horalia has printed the launcher's status and the INI
  esperar 'grep -q "^ini$" "$tmp/horalia.out"' || falla "el lanzador no termina"
  wait "$host_pid" || falla "Horalia terminó con error"
}

# 1. Embedded at the child area's offset; an export through the real dialog.
abrir_horalia exportar
esperar '[ -n "$(hijo_de "$host")" ]' || falla "la ventana no está dentro de la de Horalia"
hijo=$(hijo_de "$host")
info=$(xwininfo -id "$hijo")
for linea in "Relative upper-left X:  40" "Relative upper-left Y:  30" "Width: 632" "Height: 266"; do
  echo "$info" | grep -q "$linea" || falla "falta '$linea' en: $info"
done
if [ -n "$capturas" ]; then
  sleep 1
  "$captura" "$host" "$capturas/wine-exportar.png"
fi
pulsar_hasta_ventana "$hijo" 140 132 "Archivo XML"  # "Aceptar" of the left panel
teclas_en "Archivo XML" type --delay 20 "$tmp/centro.xml"
teclas_en "Archivo XML" key Return
teclas_en "TransHoraliaNorvica" key Return  # "Proceso finalizado"
terminada
grep -q "^estado 0$" "$tmp/horalia.out" || falla "estado del lanzador"
grep -q "^Transformado=1" "$tmp/horalia.out" || falla "Horalia.ini sin Transformado=1"
[ -f "$WINEPREFIX/drive_c/HTEMP/ASIGT.DBF" ] || falla "no se escribieron las tablas en C:\\HTEMP"
echo "incrustada en $host en (40,30); exportación completa; Horalia.ini con Transformado=1"

# 2. Horalia's window closes during the run (a click on it outside the child area).
rm "$horalia/Horalia.ini"
abrir_horalia importar
esperar '[ -n "$(hijo_de "$host")" ]' || falla "la ventana no está dentro de la segunda Horalia"
[ -z "$capturas" ] || { sleep 1; "$captura" "$host" "$capturas/wine-importar.png"; }
xdotool mousemove --window "$host" 10 10 click 1
terminada
grep -q "^estado 0$" "$tmp/horalia.out" || falla "estado tras cerrarse Horalia"
grep -q "^Transformado=0" "$tmp/horalia.out" || falla "Horalia.ini sin Transformado=0"
echo "sin ventana de Horalia: terminó con Transformado=0"

# 3. A handle of no window: the error box, then the program alone.
rm "$horalia/Horalia.ini"
abrir_horalia exportar DEAD0
teclas_en "TransHoraliaNorvica" key Return  # "No existe la ventana DEAD0 de Horalia."
raiz=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
esperar '[ -n "$(hijo_de "$raiz")" ]' || falla "la ventana no aparece sola"
pulsar_hasta "$(hijo_de "$raiz")" 300 212 'grep -q "^ini$" "$tmp/horalia.out"' "Salir no cierra la ventana sola"  # "&Salir"
terminada
grep -q "^estado 0$" "$tmp/horalia.out" || falla "estado de la ventana sola"
[ ! -e "$horalia/Horalia.ini" ] || falla "la ventana sola escribió Horalia.ini"
echo "handle sin ventana: ventana sola, sin Horalia.ini"

# 4. What the shell or either command line could mangle arrives whole.
rara="$tmp/prog ñ \$HOME \`id\` 'x'"
mkdir -p "$rara"
printf '#!/bin/sh\nfor a; do printf "[%%s]\\n" "$a"; done >"%s/argumentos.out"\nexit 7\n' "$tmp" >"$rara/grabar"
chmod +x "$rara/grabar"
"$cli" instalar-wine --programa "$rara/grabar" >"$tmp/instalar.out" 2>&1 || falla "instalar-wine con la ruta rara"
uno='a "b" $HOME `id` ñ'\''q'\'' C:\dir\'
dos='x\"y \\" z'
estado=0
wine "$horalia/transhoralianorvica.exe" "$uno" "$dos" >"$tmp/rara.out" 2>&1 || estado=$?
[ "$estado" -eq 7 ] || falla "el lanzador terminó con $estado, no con el 7 del programa"
printf '[%s]\n[%s]\n' "$uno" "$dos" >"$tmp/esperado"
cmp -s "$tmp/esperado" "$tmp/argumentos.out" || falla "parámetros cambiados: $(cat "$tmp/argumentos.out")"
echo "ruta y parámetros con espacios, comillas, \$, \` y ñ: llegan tal cual, estado 7"

for d in "$(dirname "$programa")" "$(dirname "$cli")" /usr/bin; do
  [ -z "$(find "$d" -maxdepth 1 -iname horalia.ini)" ] || falla "Horalia.ini escrito en $d"
done
