#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The whole program on a real X server: started as the host starts it, with
# "exportar" and the handle of a host window, it must become a child of that
# window at its origin, show only the left panel, and after a completed export
# write 1 to the INI beside parameter 0 and end. When the host's window goes
# away the program ends and writes 0; a handle of no window opens it alone.
#
#   incrustada_xvfb.sh PROGRAMA ANFITRION CAPTURA
#
# The file dialog and the message boxes are answered through the test-only
# variable TRANSHORALIA_FICHERO_PRUEBA (see app/interaccion_automatica.h); the
# click on "Aceptar" is a real one (xdotool). Skipped (77) without Xvfb,
# xwininfo or xdotool.
set -eu
programa=$1 anfitrion=$2 captura=$3

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

falla() {
  echo "FALLO: $*"
  for f in "$tmp"/*.out; do echo "--- $f"; cat "$f"; done
  exit 1
}

# Polls a condition, 0.1 s at a time, for at most 20 s.
esperar() {
  n=0
  until eval "$1"; do
    n=$((n + 1))
    [ "$n" -lt 200 ] || return 1
    sleep 0.1
  done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/pantalla" >"$tmp/xvfb.out" 2>&1 &
pids="$pids $!"
esperar '[ -s "$tmp/pantalla" ]' || falla "Xvfb no arranca"
DISPLAY=:$(cat "$tmp/pantalla")
QT_QPA_PLATFORM=xcb
export DISPLAY QT_QPA_PLATFORM

# Starts a host window; sets host (its id) and host_pid.
abrir_anfitrion() {
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
cat >"$tmp/centro.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<centro codigo_interno="1" nombre="IES Prueba" curso="2026/2027" version="1">
  <materias><dmateria codigo="MAT" nombre="Matemáticas" codigo_actividad="LECTIVA" idmateria="101"/></materias>
  <profesores><profesor codigo="MGR" nombre="María" apellido1="García" apellido2="Ruiz" documento="1" idprofesor="501"/></profesores>
</centro>
XML

TRANSHORALIA_HTEMP="$tmp/HTEMP" TRANSHORALIA_FICHERO_PRUEBA="$tmp/centro.xml" \
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

xdotool mousemove --window "$hijo" 140 132 click 1  # "Aceptar" of the left panel
esperar '! kill -0 "$programa_pid" 2>/dev/null' || falla "el programa sigue abierto tras exportar"
wait "$programa_pid" || falla "el programa terminó con error"

grep -q "^mensaje: Proceso finalizado$" "$tmp/programa.out" || falla "no se mostró Proceso finalizado"
[ -f "$tmp/HTEMP/ASIGNOMT.DBF" ] || falla "no se escribieron las tablas"
ini=$(cat "$tmp/horalia/Horalia.ini")
[ "$ini" = "$(printf '[Transformadores]\r\nTransformado=1\r')" ] || falla "Horalia.ini: $ini"
echo "ventana $hijo hija de 0x$host; Horalia.ini con Transformado=1"

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
TRANSHORALIA_FICHERO_PRUEBA="$tmp/centro.xml" \
  "$tmp/horalia/transhoralianorvica" exportar 1FFFFF >"$tmp/programa.out" 2>&1 &
programa_pid=$!
pids="$pids $programa_pid"
raiz=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
esperar '[ -n "$(hijo_de "$raiz")" ]' || falla "la ventana no aparece sola"
grep -q "^error: No existe la ventana 1FFFFF de Horalia.$" "$tmp/programa.out" || falla "falta la caja de error"
solo=$(hijo_de "$raiz")
xwininfo -id "$solo" | grep -q "Absolute upper-left X:  194" || falla "la ventana sola no está en su sitio"
xdotool mousemove --window "$solo" 300 212 click 1  # "&Salir"
esperar '! kill -0 "$programa_pid" 2>/dev/null' || falla "Salir no cierra la ventana sola"
[ ! -e "$tmp/horalia/Horalia.ini" ] || falla "la ventana sola escribió Horalia.ini"
echo "handle sin ventana: ventana sola, sin Horalia.ini"
