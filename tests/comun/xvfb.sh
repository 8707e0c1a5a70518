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
