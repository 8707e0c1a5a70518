#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The Wine server of the build's prefix, kept up for a whole run of tests.
#
#   wine-servidor.sh arrancar   a server that outlives its programs, and
#                               Wine's own session processes, started now
#   wine-servidor.sh parar      the server and every process of the prefix
#
# Debian's server (-p0) starts to close as soon as its last program ends,
# and a program that connects just then dies with "wine client error:0:
# recvmsg: Connection reset by peer"; and the session processes (services,
# devices) that the first program of a session starts keep its standard
# error open, so the test that started them seems to run until the session
# ends. Here the server waits 60 s, time for any pause between tests, and
# ends anyway if the run is cut short; the session starts with no terminal.
set -eu
. "$(dirname "$0")/wine-entorno.sh"
parar() {
  wineserver -k 2>/dev/null || true
  wineserver -w
}
case ${1:-} in
  arrancar)
    # One that may be closing (a build's test listing) goes first.
    parar
    wineserver -p60 </dev/null >/dev/null 2>&1
    wine wineboot </dev/null >/dev/null 2>&1
    ;;
  parar) parar ;;
  *) echo "uso: $0 arrancar|parar" >&2; exit 2 ;;
esac
