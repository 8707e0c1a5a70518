#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Installs what is missing, builds, and runs the whole journey on the bundled
# example: export to Horalia's tables, a timetable solution built from them
# (written by another implementation of the table format, as Horalia would
# hand it over), and the import back into a centre document.
set -eu
cd "$(dirname "$0")/.."

./scripts/instalar-dependencias.sh
cmake --preset default >/dev/null
cmake --build --preset default >/dev/null

trabajo=$(mktemp -d "${TMPDIR:-/tmp}/transhoralianorvica.XXXXXX")
mkdir "$trabajo/HTEMP"
cp examples/centro.xml "$trabajo/centro.xml"
cli=build/default/cli/transhoralianorvica-cli

echo "== exportar: $trabajo/centro.xml -> $trabajo/HTEMP"
"$cli" exportar "$trabajo/centro.xml" --htemp "$trabajo/HTEMP"

echo
echo "== solución de prueba: $trabajo/HTEMP/SOLUC.DBF"
build/default/tests/thn-soluc-prueba "$trabajo/HTEMP" |
  build/default/tests/thn-tdbf escribir 3 "$trabajo/HTEMP/SOLUC.DBF"

echo
echo "== importar: $trabajo/ResultadoHoraliacentro.xml"
"$cli" importar "$trabajo/centro.xml" --htemp "$trabajo/HTEMP"
