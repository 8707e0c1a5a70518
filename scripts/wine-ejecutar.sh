#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Runs a Windows program of the build under wine64, in a Wine prefix of its
# own beside the build, quiet and without the Mono and Gecko installers.
# CMake's emulator for the windows preset. The prefix is made once, under a
# lock, so that tests started side by side do not make it twice.
set -eu
: "${THN_WINEPREFIX:=$(cd "$(dirname "$0")/.." && pwd)/build/wine}"
WINEPREFIX=$THN_WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES WINEARCH
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.bloqueo" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1'
fi
exec wine "$@"
