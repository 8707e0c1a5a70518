#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Benchmarks: export of synthetic centres at two sizes (linearity), against
# the time xmllint takes to parse the same file, and an import of a large
# SOLUC. Build first: cmake --preset default && cmake --build --preset default
set -eu
cd "$(dirname "$0")/.."
bin=build/default/bench
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/thn-bench.XXXXXX")
trap 'rm -rf "$trabajo"' EXIT

tiempo() {  # best of three wall times of a command, in seconds
  mejor=""
  for _ in 1 2 3; do
    t0=$(date +%s.%N); "$@" >/dev/null; t1=$(date +%s.%N)
    t=$(echo "$t1 - $t0" | bc)
    if [ -z "$mejor" ] || [ "$(echo "$t < $mejor" | bc)" = 1 ]; then mejor=$t; fi
  done
  echo "$mejor"
}

for escala in 0.1 1; do
  echo "== centro sintético, escala $escala"
  mkdir -p "$trabajo/HTEMP"
  "$bin/thn-generar-centro" --escala "$escala" -o "$trabajo/centro.xml"
  echo "documento: $(du -h "$trabajo/centro.xml" | cut -f1)"
  echo "xmllint --noout: $(tiempo xmllint --noout "$trabajo/centro.xml") s"
  "$bin/thn-bench-exportar" "$trabajo/centro.xml" "$trabajo/HTEMP"
done

echo "== importar 200000 registros de SOLUC (centro de escala 1)"
"$bin/thn-bench-importar" "$trabajo/centro.xml" "$trabajo/HTEMP" 200000
echo "xmllint --noout del resultado: $(tiempo xmllint --noout "$trabajo/ResultadoHoraliacentro.xml") s"
