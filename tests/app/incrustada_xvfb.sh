#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The whole program on a real X server: started as the host starts it, with
# "exportar" and the handle of a host window, it must become a child of that
# window at its origin, show only the left panel, export the example school
# under the C locale and then write 1 to the INI beside parameter 0 and end.
# A cancelled file dialog converts nothing and writes -1. When the host's
# window goes away the program ends and writes 0; a handle of no window opens
# it alone.
#
#   incrustada_xvfb.sh PROGRAMA ANFITRION CAPTURA EJEMPLO.xml
#
# The buttons, the real file dialog and the message boxes are driven with
# xdotool as a person would. There is no window manager: the keyboard goes
# to the window under the pointer. Skipped (77) without Xvfb, xwininfo or
# xdotool.
set -eu
programa=$1 anfitrion=$2 captura=$3 ejemplo=$4

for herramienta in Xvfb xwininfo xdotool; do
  if ! command -v "$herramienta" >/dev/null 2>&1; then
    echo "SKIP: falta $herramienta"
    exit 77
  fi
done

tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-xvfb.XXXXXX")
pids=""
limpiar() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  for p in $pids; do wait "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap limpiar EXIT

. "$(dirname "$0")/../comun/xvfb.sh"
arrancar_xvfb
QT_QPA_PLATFORM=xcb
export QT_QPA_PLATFORM

# Starts a host window; sets host (its id) and host_pid.
abrir_anfitrion() {
  # Emptied here: the background job's own redirection may come after the
  # first look, which would find the last host's id.
  : >"$tmp/anfitrion.out"
  "$anfitrion" >"$tmp/anfitrion.out" 2>&1 &
  host_pid=$!
  pids="$pids $host_pid"
  esperar 'grep -q "^[0-9A-F][0-9A-F]*$" "$tmp/anfitrion.out"' || falla "la ventana anfitriona no aparece"
  host=$(grep "^[0-9A-F][0-9A-F]*$" "$tmp/anfitrion.out" | head -n 1)
}

# Parameter 0 is a link beside the host's program: the INI goes there.
mkdir "$tmp/horalia" "$tmp/HTEMP"
ln -s "$programa" "$tmp/horalia/transhoralianorvica"
abrir_anfitrion
# Hours such as "2,5" must read under any locale.
cp "$ejemplo" "$tmp/centro.xml"
grep -q 'nhoras="[0-9]*,[0-9]' "$tmp/centro.xml" || falla "el ejemplo no tiene horas con coma"

# Waits for the window titled $1, puts the pointer in it and types the keys.
responder() {
  titulo=$1
  shift
  esperar '[ -n "$(ventana_llamada "$titulo")" ]' || falla "no aparece la ventana '$titulo'"
  xdotool mousemove --window "$(ventana_llamada "$titulo")" 30 30
  sleep 0.3
  xdotool key --delay 50 "$@"
}
# The file dialog: the path typed into its name field and confirmed.
elegir_fichero() {
  xdotool mousemove --window "$(ventana_llamada "Archivo XML")" 30 30
  # The dialog fills its name field once it has listed the folder; on a
  # loaded machine that may come after the first keys: give it time.
  sleep 1
  xdotool key ctrl+a
  xdotool type --delay 10 "$1"
  sleep 0.5
  xdotool key Return
}

LC_ALL=C TRANSHORALIA_HTEMP="$tmp/HTEMP" \
  "$tmp/horalia/transhoralianorvica" exportar "$host" >"$tmp/programa.out" 2>&1 &
programa_pid=$!
pids="$pids $programa_pid"

hijo_de() {  # the program's window among the children of window $1
  xwininfo -id "$1" -children 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) "Exportar e importar datos entre Horalia y NORVICA".*/\1/p' | head -n 1
}
hijo_de_anfitrion() { hijo_de "0x$host"; }
esperar '[ -n "$(hijo_de_anfitrion)" ]' || falla "la ventana no es hija de la anfitriona"
hijo=$(hijo_de_anfitrion)
arbol=$(xwininfo -id "$hijo" -tree)
echo "$arbol" | grep -qi "Parent window id: 0x0*$host " || falla "padre inesperado: $arbol"
info=$(xwininfo -id "$hijo")
for linea in "Relative upper-left X:  0" "Relative upper-left Y:  0" "Width: 632" "Height: 266"; do
  echo "$info" | grep -q "$linea" || falla "falta '$linea' en: $info"
done

# Only the left panel shows: its warm gradient (red above blue) covers the
# gap between the top panels (315,10) and the bottom panel (20,250), where
# the window's grey and the bottom panel's blue would show otherwise.
calido() {
  color=$("$captura" "$hijo" "$1" "$2" 2>/dev/null)
  rojo=$(printf '%d' "0x$(echo "$color" | cut -c2-3)")
  azul=$(printf '%d' "0x$(echo "$color" | cut -c6-7)")
  [ "$rojo" -gt $((azul + 16)) ] || falla "($1,$2) es $color, no del panel izquierdo"
}
esperar '[ -n "$("$captura" "$hijo" 0 0 2>/dev/null)" ]' || falla "no se puede capturar la ventana"
calido 315 10
calido 20 250

pulsar_hasta_ventana "$hijo" 140 132 "Archivo XML"  # "Aceptar" of the left panel
elegir_fichero "$tmp/centro.xml"
responder TransHoraliaNorvica Return  # "Proceso finalizado"
esperar '! kill -0 "$programa_pid" 2>/dev/null' || falla "el programa sigue abierto tras exportar"
wait "$programa_pid" || falla "el programa terminó con error"

[ -f "$tmp/HTEMP/ASIGT.DBF" ] || falla "no se escribieron las tablas"
ini=$(cat "$tmp/horalia/Horalia.ini")
[ "$ini" = "$(printf '[Transformadores]\r\nTransformado=1\r')" ] || falla "Horalia.ini: $ini"
echo "ventana $hijo hija de 0x$host; el ejemplo exportado con LC_ALL=C; Horalia.ini con Transformado=1"

# A cancelled dialog converts nothing: "No existe archivo", -1, the tables as they were.
huella() { ls -l --time-style=full-iso "$tmp/HTEMP"; }
antes=$(huella)
sleep 1
rm "$tmp/horalia/Horalia.ini"
abrir_anfitrion
TRANSHORALIA_HTEMP="$tmp/HTEMP" "$tmp/horalia/transhoralianorvica" exportar "$host" >"$tmp/programa.out" 2>&1 &
programa_pid=$!
pids="$pids $programa_pid"
esperar '[ -n "$(hijo_de_anfitrion)" ]' || falla "la ventana no es hija de la anfitriona al cancelar"
pulsar_hasta_ventana "$(hijo_de_anfitrion)" 140 132 "Archivo XML"
responder "Archivo XML" Escape
responder TransHoraliaNorvica Return  # "No existe archivo"
esperar '! kill -0 "$programa_pid" 2>/dev/null' || falla "el programa sigue abierto tras cancelar"
ini=$(cat "$tmp/horalia/Horalia.ini")
[ "$ini" = "$(printf '[Transformadores]\r\nTransformado=-1\r')" ] || falla "Horalia.ini al cancelar: $ini"
[ "$(huella)" = "$antes" ] || falla "cancelar tocó las tablas"
echo "cancelado: Transformado=-1, tablas intactas"

# The host's window goes away: the program ends and tells 0.
rm "$tmp/horalia/Horalia.ini"
abrir_anfitrion
"$tmp/horalia/transhoralianorvica" importar "$host" >"$tmp/programa.out" 2>&1 &
programa_pid=$!
pids="$pids $programa_pid"
esperar '[ -n "$(hijo_de_anfitrion)" ]' || falla "la ventana no es hija de la segunda anfitriona"
kill "$host_pid"
esperar '! kill -0 "$programa_pid" 2>/dev/null' || falla "el programa sigue tras cerrarse la anfitriona"
ini=$(cat "$tmp/horalia/Horalia.ini")
[ "$ini" = "$(printf '[Transformadores]\r\nTransformado=0\r')" ] || falla "Horalia.ini sin anfitriona: $ini"
echo "sin anfitriona: el programa terminó con Transformado=0"

# A handle of no window: the error box, and the window alone at its place.
rm "$tmp/horalia/Horalia.ini"
"$tmp/horalia/transhoralianorvica" exportar 1FFFFF >"$tmp/programa.out" 2>&1 &
programa_pid=$!
pids="$pids $programa_pid"
responder TransHoraliaNorvica Return  # the error box comes first
raiz=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
esperar '[ -n "$(hijo_de "$raiz")" ]' || falla "la ventana no aparece sola"
solo=$(hijo_de "$raiz")
info=$(xwininfo -id "$solo")
for linea in "Absolute upper-left X:  194" "Absolute upper-left Y:  167" "Width: 632" "Height: 266"; do
  echo "$info" | grep -q "$linea" || falla "la ventana sola: falta '$linea' en: $info"
done
# The three panels at their places, read from the screen: each gradient's
# top, middle and bottom colour, within a step of the interpolation.
cerca() {  # X Y RRGGBB
  visto=$("$captura" "$solo" "$1" "$2" 2>/dev/null | tr -d '#')
  for i in 1 3 5; do
    a=$(printf '%d' "0x$(echo "$visto" | cut -c$i-$((i + 1)))")
    b=$(printf '%d' "0x$(echo "$3" | cut -c$i-$((i + 1)))")
    [ $((a - b)) -le 3 ] && [ $((b - a)) -le 3 ] || falla "($1,$2) es #$visto, no #$3"
  done
}
esperar '[ -n "$("$captura" "$solo" 0 0 2>/dev/null)" ]' || falla "no se puede capturar la ventana sola"
cerca 2 0 F9D37D; cerca 2 84 FFFFFF; cerca 2 168 FFEEDD      # Draw3D2, left, 0,0 315x169
cerca 318 0 F9D37D; cerca 318 84 FFFFFF; cerca 318 168 FFEEDD  # Draw3D3, right, 316,0 317x169
cerca 314 84 FFFFFF; cerca 317 84 FFFFFF                      # the two meet at x 315/316
cerca 2 170 C2CDFE; cerca 2 216 CFF2FE; cerca 2 264 CCD8E6    # Draw3D1, bottom, 0,168 633x97
# The labels' text where the window places it: the red version label in
# the bottom panel, the two titles in bold black, and nothing red elsewhere.
tinta() {  # X Y W H RRGGBB MINIMO
  n=$("$captura" "$solo" "$1" "$2" "$3" "$4" "$5")
  [ "$n" -ge "$6" ] || falla "($1,$2 ${3}x$4): $n píxeles cerca de #$5"
}
tinta 8 240 233 13 FF0000 200    # Label1, "TransHoraliaNorvica para QV27 V-1.0"
tinta 24 24 265 57 000000 500   # Label3
tinta 324 24 305 57 000000 500   # Label4, at 8,24 of the right panel
[ "$("$captura" "$solo" 0 0 632 110 FF0000)" -eq 0 ] || falla "texto rojo en los paneles de arriba"
pulsar_hasta "$solo" 300 212 '! kill -0 "$programa_pid" 2>/dev/null' "Salir no cierra la ventana sola"  # "&Salir"
[ ! -e "$tmp/horalia/Horalia.ini" ] || falla "la ventana sola escribió Horalia.ini"
echo "handle sin ventana: ventana sola en su sitio con sus paneles, sin Horalia.ini"
