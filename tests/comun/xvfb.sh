# SPDX-License-Identifier: EUPL-1.2
# Shared by the end-to-end tests on Xvfb; sourced once $tmp (a scratch
# folder whose *.out files are shown on failure) and $pids are set.

falla() {
  echo "FALLO: $*"
  for f in "$tmp"/*.out; do echo "--- $f"; cat "$f"; done
  exit 1
}

# Polls a condition, 0.2 s at a time, for at most 60 s.
esperar() {
  n=0
  until eval "$1"; do
    n=$((n + 1))
    [ "$n" -lt 300 ] || return 1
    sleep 0.2
  done
}

# An X server of the test's own; exports DISPLAY.
arrancar_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/pantalla" >"$tmp/xvfb.out" 2>&1 &
  pids="$pids $!"
  esperar '[ -s "$tmp/pantalla" ]' || falla "Xvfb no arranca"
  DISPLAY=:$(cat "$tmp/pantalla")
  export DISPLAY
}

# The first visible top-level window named exactly $1.
ventana_llamada() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
# Clicks at $2,$3 of window $1 until the condition $4 holds (5 s a click),
# else fails with $5: a click that comes before the program serves its
# window is lost. A repeated click on a slow program does nothing: the
# dialog it opens blocks the window behind, or the window is gone.
pulsar_hasta() {
  for intento in 1 2 3 4 5 6; do
    xdotool mousemove --window "$1" "$2" "$3" click 1 2>/dev/null || true
    m=0
    while [ "$m" -lt 25 ]; do
      ! eval "$4" || return 0
      m=$((m + 1))
      sleep 0.2
    done
  done
  falla "$5"
}
# Clicks at $2,$3 of window $1 until a window named $4 shows.
pulsar_hasta_ventana() {
  pulsar_hasta "$1" "$2" "$3" '[ -n "$(ventana_llamada "'"$4"'")" ]' "no aparece la ventana $4"
}
