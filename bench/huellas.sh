#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Fingerprints of every byte the two directions write, to show that a change
# of the code changed none: the six tables of the export and the import's
# result, for the example and the synthetic centres of scales 0.1 and 1, and
# the result of importing a SOLUC of 200,000 records against the tables of
# scale 1 (the import benchmark's size).
#
#   bench/huellas.sh [BUILD]            prints one "sha256  name" line per output
#   bench/huellas.sh [BUILD] -c FILE    fails, naming them, when any differs
#
# bench/huellas.txt holds the fingerprints of the outputs as they must stay:
# `bench/huellas.sh build/default -c bench/huellas.txt` after every change of
# a reader or writer.
#
# BUILD is a build folder with the CLI and the bench programs (build/default).
# The tables' date of last update and the import's time stamp are blanked
# before hashing: they tell when the run was, not what it wrote.
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/default}
[ $# -gt 0 ] && shift
cli=$build/cli/transhoralianorvica-cli
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/thn-huellas.XXXXXX")
trap 'rm -rf "$trabajo"' EXIT

# The header's bytes 1-3 are the date of last update (YY MM DD).
huella_tabla() {
  { head -c 1 "$1"; printf '\0\0\0'; tail -c +5 "$1"; } | sha256sum | cut -d' ' -f1
}

huella_resultado() {  # the case's folder, the name to print
  sed 's/fecha_exportacion="[^"]*"/fecha_exportacion=""/' "$1/ResultadoHoraliacentro.xml" | sha256sum |
    sed "s|  -|  $2/ResultadoHoraliacentro.xml|"
}

huellas() {  # name of the case, the centre document
  dir=$trabajo/$1
  mkdir -p "$dir/HTEMP"
  cp "$2" "$dir/centro.xml"
  "$cli" exportar "$dir/centro.xml" --htemp "$dir/HTEMP" >/dev/null
  for tabla in ASIGNOMT PROFT AULAT GRUPOST DIASHORAST ASIGT; do
    echo "$(huella_tabla "$dir/HTEMP/$tabla.DBF")  $1/$tabla.DBF"
  done
  # A deterministic SOLUC drawn from those tables, then the import.
  "$build/bench/thn-bench-importar" "$dir/centro.xml" "$dir/HTEMP" 5000 1 >/dev/null
  echo "$(huella_tabla "$dir/HTEMP/SOLUC.DBF")  $1/SOLUC.DBF"
  "$cli" importar "$dir/centro.xml" --htemp "$dir/HTEMP" >/dev/null
  huella_resultado "$dir" "$1"
}

huellas_importar() {  # name of the case, the case whose export it reads, records
  dir=$trabajo/$2
  "$build/bench/thn-bench-importar" "$dir/centro.xml" "$dir/HTEMP" "$3" 1 >/dev/null
  echo "$(huella_tabla "$dir/HTEMP/SOLUC.DBF")  $1/SOLUC.DBF"
  huella_resultado "$dir" "$1"
}

calcular() {
  huellas ejemplo examples/centro.xml
  for escala in 0.1 1; do
    "$build/bench/thn-generar-centro" --escala "$escala" -o "$trabajo/sintetico-$escala.xml"
    huellas "escala-$escala" "$trabajo/sintetico-$escala.xml"
  done
  huellas_importar importar-200000 escala-1 200000
}

if [ "${1:-}" = -c ]; then
  calcular >"$trabajo/ahora"
  if ! diff "$2" "$trabajo/ahora" >&2; then
    echo "huellas: las salidas han cambiado" >&2
    exit 1
  fi
  echo "huellas: las $(wc -l <"$trabajo/ahora") salidas son las mismas"
else
  calcular
fi
