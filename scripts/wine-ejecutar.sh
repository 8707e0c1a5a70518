#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Runs a Windows program of the build under wine64, in the build's own Wine
# prefix (wine-entorno.sh). CMake's emulator for the windows preset.
set -eu
. "$(dirname "$0")/wine-entorno.sh"
exec wine "$@"
