#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Benchmarks: export of synthetic centres at two sizes (linearity) and the
# check of each beside its export, against the time xmllint takes to parse
# the same file, an import of a large SOLUC,
# and documents with one absurd element (refused by both directions).
# Build first: cmake --preset default && cmake --build --preset default
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
  "$bin/thn-bench-comprobar" "$trabajo/centro.xml" "$trabajo/HTEMP"
done

echo "== importar 200000 registros de SOLUC (centro de escala 1)"
"$bin/thn-bench-importar" "$trabajo/centro.xml" "$trabajo/HTEMP" 200000
echo "xmllint --noout del resultado: $(tiempo xmllint --noout "$trabajo/ResultadoHoraliacentro.xml") s"

# One element with n attributes: both directions refuse it; libxml2 alone
# checks them for duplicates in time that grows with their square.
cli=build/default/cli/transhoralianorvica-cli
for n in 40000 200000; do
  echo "== un elemento con $n atributos"
  awk -v n="$n" 'BEGIN {
    printf "<centro codigo_interno=\"1\" nombre=\"x\" curso=\"c\" version=\"1\"><aulas><daula"
    for (i = 0; i < n; i++) printf " a%d=\"%d\"", i, i
    print "/></aulas></centro>"
  }' >"$trabajo/atributos.xml"
  echo "documento: $(du -h "$trabajo/atributos.xml" | cut -f1)"
  for orden in exportar importar; do
    "$cli" "$orden" "$trabajo/atributos.xml" --htemp "$trabajo/HTEMP" --separador-decimal , 2>&1 | head -c 200; echo
    echo "$orden: $(tiempo sh -c '"$0" "$1" "$2" --htemp "$3" --separador-decimal , 2>/dev/null || true' \
      "$cli" "$orden" "$trabajo/atributos.xml" "$trabajo/HTEMP") s"
  done
  # One run, cut short: at 200000 attributes it takes minutes.
  t0=$(date +%s.%N)
  if timeout 120 xmllint --noout "$trabajo/atributos.xml"; then
    echo "xmllint --noout: $(echo "$(date +%s.%N) - $t0" | bc) s"
  else
    echo "xmllint --noout: más de 120 s (detenido)"
  fi
done
