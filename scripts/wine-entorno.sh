# SPDX-License-Identifier: EUPL-1.2
# Sourced by wine-ejecutar.sh and wine-servidor.sh: the build's own Wine
# prefix (THN_WINEPREFIX, by default build/wine), quiet, 64-bit, without the
# Mono and Gecko installers; made once, under a lock, so that programs
# started side by side do not make it twice.
: "${THN_WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wine}"
WINEPREFIX=$THN_WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.bloqueo" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null'
fi
