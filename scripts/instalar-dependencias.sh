#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Installs the Debian packages that building and testing need. Idempotent:
# quiet, and without touching apt, when everything is already present.
set -eu

PAQUETES="
  build-essential cmake ninja-build pkg-config
  libxml2-dev libxml2-utils libicu-dev
  googletest libgtest-dev libgmock-dev
  fp-compiler fp-units-db fp-units-fcl
  python3 python3-dbf
  qt6-base-dev qt6-translations-l10n libgl-dev
  libchm-dev fp-utils
  xvfb xauth x11-utils
  libxcb1-dev xdotool
  dpkg-dev lintian scdoc librsvg2-bin appstream desktop-file-utils man-db
"

faltan=""
for p in $PAQUETES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    faltan="$faltan $p"
  fi
done
[ -z "$faltan" ] && exit 0

echo "Instalando:$faltan"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $faltan >/dev/null
