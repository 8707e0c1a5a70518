#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Benchmarks, each beside its yardstick and measured in the same run:
# the export of synthetic centres of scales 1 and 10 against
# `xmllint --stream --noout` of the same file, with the export's peak memory
# against the document's size; the import of a SOLUC of 200,000 records
# against `xmllint --noout` of its result; the example end to end against
# `xmllint --noout`; the check beside its export; and documents with one
# absurd element (refused by both directions).
#
# Times are wall times of whole processes (start included), in paired runs:
# the program and its yardstick alternate, RUNS pairs (7 unless told), and
# each line gives the medians, the spread (lowest-highest) and the median of
# the pairs' ratios. Build first: cmake --preset default && cmake --build --preset default
set -eu
cd "$(dirname "$0")/.."
build=build/default
bin=$build/bench
cli=$build/cli/transhoralianorvica-cli
pares=${RUNS:-7}
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/thn-bench.XXXXXX")
trap 'rm -rf "$trabajo"' EXIT

# Runs a command, its output thrown away; appends its wall time (s) to the
# file $1 and its peak resident memory (KiB) to $1.rss.
correr() {
  destino=$1
  shift
  t0=$(date +%s%N)
  /usr/bin/time -f %M -o "$trabajo/rss" "$@" >/dev/null 2>&1
  t1=$(date +%s%N)
  echo "$(( (t1 - t0) / 1000 ))" | awk '{ printf "%.4f\n", $1 / 1e6 }' >>"$destino"
  cat "$trabajo/rss" >>"$destino.rss"
}

# "median (lowest-highest)" of a file of numbers.
resumen() {
  sort -g "$1" | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.3f (%.3f-%.3f)", m, v[1], v[NR] }'
}

# Paired runs: `$2 FILE` and `$3 FILE` each run their program once through
# correr; prints both programs' times and the ratio.
comparar() {  # title, program, yardstick
  rm -f "$trabajo/a" "$trabajo/a.rss" "$trabajo/b" "$trabajo/b.rss"
  i=0
  while [ "$i" -lt "$pares" ]; do
    "$2" "$trabajo/a"
    "$3" "$trabajo/b"
    i=$((i + 1))
  done
  paste "$trabajo/a" "$trabajo/b" | awk '{ print $1 / $2 }' >"$trabajo/r"
  echo "$1: $(resumen "$trabajo/a") s; $4: $(resumen "$trabajo/b") s;" \
    "cociente $(resumen "$trabajo/r") (mediana de $pares pares)"
}

exportar() { correr "$1" "$cli" exportar "$documento" --htemp "$trabajo/HTEMP"; }
stream() { correr "$1" xmllint --stream --noout "$documento"; }
completo() { correr "$1" xmllint --noout "$documento"; }
importar() { correr "$1" "$cli" importar "$trabajo/centro.xml" --htemp "$trabajo/HTEMP"; }
resultado() { correr "$1" xmllint --noout "$trabajo/ResultadoHoraliacentro.xml"; }

mkdir -p "$trabajo/HTEMP"
for escala in 1 10; do
  echo "== centro sintético, escala $escala"
  documento=$trabajo/centro-$escala.xml
  "$bin/thn-generar-centro" --escala "$escala" -o "$documento"
  bytes=$(wc -c <"$documento")
  echo "documento: $bytes bytes"
  comparar "exportar" exportar stream "xmllint --stream --noout"
  sort -g "$trabajo/a" | awk -v e="$escala" '{ v[NR] = $1 } END { printf "%.4f\n", v[int((NR + 1) / 2)] }' \
    >"$trabajo/mediana-$escala"
  sort -g "$trabajo/a.rss" | awk -v b="$bytes" '{ v[NR] = $1 } END {
    printf "memoria máxima de exportar: %.1f MiB (%.2f veces el documento; mediana de %d)\n",
      v[int((NR + 1) / 2)] / 1024, v[int((NR + 1) / 2)] * 1024 / b, NR }'
done
echo "escala 10 frente a escala 1: $(awk '{ v[NR] = $1 } END { printf "%.2f", v[2] / v[1] }' \
  "$trabajo/mediana-1" "$trabajo/mediana-10") veces el tiempo, con 10 veces los datos"

echo "== comprobar, junto a su exportación (escala 1)"
"$bin/thn-bench-comprobar" "$trabajo/centro-1.xml" "$trabajo/HTEMP"

echo "== importar 200000 registros de SOLUC (centro de escala 1)"
cp "$trabajo/centro-1.xml" "$trabajo/centro.xml"
"$cli" exportar "$trabajo/centro.xml" --htemp "$trabajo/HTEMP" >/dev/null
"$bin/thn-bench-importar" "$trabajo/centro.xml" "$trabajo/HTEMP" 200000 1 >/dev/null
comparar "importar" importar resultado "xmllint --noout del resultado"

echo "== el ejemplo de principio a fin (examples/centro.xml)"
documento=examples/centro.xml
comparar "exportar" exportar completo "xmllint --noout"

# One element with n attributes: both directions refuse it; libxml2 alone
# checks them for duplicates in time that grows with their square.
for n in 40000 200000; do
  echo "== un elemento con $n atributos"
  awk -v n="$n" 'BEGIN {
    printf "<centro codigo_interno=\"1\" nombre=\"x\" curso=\"c\" version=\"1\"><aulas><daula"
    for (i = 0; i < n; i++) printf " a%d=\"%d\"", i, i
    print "/></aulas></centro>"
  }' >"$trabajo/atributos.xml"
  echo "documento: $(du -h "$trabajo/atributos.xml" | cut -f1)"
  for orden in exportar importar; do
    "$cli" "$orden" "$trabajo/atributos.xml" --htemp "$trabajo/HTEMP" 2>&1 | head -c 200; echo
    rm -f "$trabajo/t"
    correr "$trabajo/t" sh -c '"$0" "$1" "$2" --htemp "$3" 2>/dev/null || true' \
      "$cli" "$orden" "$trabajo/atributos.xml" "$trabajo/HTEMP"
    echo "$orden: $(cat "$trabajo/t") s"
  done
  # One run, cut short: at 200000 attributes it takes minutes.
  t0=$(date +%s.%N)
  if timeout 120 xmllint --noout "$trabajo/atributos.xml"; then
    echo "xmllint --noout: $(echo "$(date +%s.%N) - $t0" | bc) s"
  else
    echo "xmllint --noout: más de 120 s (detenido)"
  fi
done
