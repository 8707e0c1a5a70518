#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Screenshots of the desktop program under Xvfb, for the README:
#   docs/capturas/ventana.png              standalone, both directions
#   docs/capturas/incrustada-exportar.png  inside a host window, "exportar"
#   docs/capturas/incrustada-importar.png  inside a host window, "importar"
#   docs/capturas/informe.png              the report of an export that left data out
# Uses the build tree given (default build/ci), built with the tests; there is
# no window manager under Xvfb, so the standalone window shows without frame.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/ci}
programa=$build/app/transhoralianorvica
anfitrion=$build/tests/thn-anfitrion-prueba
captura=$build/tests/thn-captura-prueba
for f in "$programa" "$anfitrion" "$captura"; do
  [ -x "$f" ] || { echo "falta $f: cmake --build $build" >&2; exit 1; }
done
for h in Xvfb xwininfo xdotool; do
  command -v "$h" >/dev/null 2>&1 || { echo "falta $h: scripts/instalar-dependencias.sh" >&2; exit 1; }
done

salida=docs/capturas
mkdir -p "$salida"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-capturas.XXXXXX")
pids=""
limpiar() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  for p in $pids; do wait "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap limpiar EXIT

esperar() {  # a condition, polled for at most 20 s
  n=0
  until eval "$1"; do
    n=$((n + 1)); [ "$n" -lt 200 ] || { echo "no se cumple: $1" >&2; exit 1; }
    sleep 0.1
  done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/pantalla" >/dev/null 2>&1 &
pids="$pids $!"
esperar '[ -s "$tmp/pantalla" ]'
DISPLAY=:$(cat "$tmp/pantalla") QT_QPA_PLATFORM=xcb TRANSHORALIA_HTEMP=$tmp LC_ALL=C.UTF-8
export DISPLAY QT_QPA_PLATFORM TRANSHORALIA_HTEMP LC_ALL
titulo="Exportar e importar datos entre Horalia y NORVICA"

ventana() {  # id of the program's window below $1
  xwininfo -id "$1" -children 2>/dev/null | sed -n "s/^ *\(0x[0-9a-f]*\) \"$titulo\".*/\1/p" | head -n 1
}

# Waits until the window paints: the left panel's warm top, red well above blue.
pintada() {
  color=$("$captura" "$1" 2 0 2>/dev/null) || return 1
  [ -n "$color" ] || return 1
  [ "$(printf '%d' "0x$(echo "$color" | cut -c2-3)")" -gt $(( $(printf '%d' "0x$(echo "$color" | cut -c6-7)") + 64 )) ]
}

"$programa" >/dev/null 2>&1 &
pid=$!
pids="$pids $pid"
raiz=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
esperar '[ -n "$(ventana "$raiz")" ]'
id=$(ventana "$raiz")
esperar 'pintada "$id"'
"$captura" "$id" "$salida/ventana.png"
kill "$pid"
echo "$salida/ventana.png"

# The report: the example with two subjects its assignments name taken out,
# exported from the standalone window; the file dialog and the boxes are
# answered with the keyboard (the pointer in the window: there is no window
# manager).
sed -e '/idmateria="340109"/d' -e '/idmateria="340201"/d' examples/centro.xml >"$tmp/centro.xml"
titulada() {  # in hex, as xwininfo writes it
  w=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -z "$w" ] || printf '0x%x\n' "$w"
}
"$programa" >/dev/null 2>&1 &
pid=$!
pids="$pids $pid"
esperar '[ -n "$(ventana "$raiz")" ]'
id=$(ventana "$raiz")
esperar 'pintada "$id"'
xdotool mousemove --window "$id" 140 132 click 1
esperar '[ -n "$(titulada "Archivo XML")" ]'
xdotool mousemove --window "$(titulada "Archivo XML")" 30 30
sleep 0.3
xdotool type --delay 10 "$tmp/centro.xml"
xdotool key Return
esperar '[ -n "$(titulada TransHoraliaNorvica)" ]'
xdotool mousemove --window "$(titulada TransHoraliaNorvica)" 30 30
sleep 0.3
xdotool key --delay 100 Tab Return  # "Detalles..."
esperar '[ -n "$(titulada "TransHoraliaNorvica: informe")" ]'
sleep 0.5
"$captura" "$(titulada "TransHoraliaNorvica: informe")" "$salida/informe.png"
kill "$pid"
echo "$salida/informe.png"

for direccion in exportar importar; do
  : >"$tmp/anfitrion"
  "$anfitrion" >"$tmp/anfitrion" 2>/dev/null &
  host_pid=$!
  pids="$pids $host_pid"
  esperar 'grep -q "^[0-9A-F][0-9A-F]*$" "$tmp/anfitrion"'
  host=$(head -n 1 "$tmp/anfitrion")
  "$programa" "$direccion" "$host" >/dev/null 2>&1 &
  pid=$!
  pids="$pids $pid"
  esperar '[ -n "$(ventana "0x$host")" ]'
  esperar 'pintada "$(ventana "0x$host")"'
  "$captura" "$host" "$salida/incrustada-$direccion.png"
  kill "$pid" "$host_pid"
  echo "$salida/incrustada-$direccion.png"
done
