#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The Windows command-line program under Wine against the Linux one:
#   cruce_cli.sh BUILD_LINUX BUILD_WINDOWS
# - the example centre in UTF-8, UTF-16, ISO-8859-1 and windows-1252
#   exports to byte-identical tables, with the same report;
# - an import of the same SOLUC gives the same document, apart from the
#   export's date and time;
# - a table that another program holds is refused with the same message
#   (Linux: a flock holder; Windows: another Wine process);
# - the same exit status and messages for wrong uses and missing files;
# - the tables an export replaced are listed and restored alike (the
#   folders named after the moment they were kept, and the drive Z: that
#   Windows gives an absolute path, apart).
set -eu
raiz=$(cd "$(dirname "$0")/../.." && pwd)
linux=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
cli_l=$linux/cli/transhoralianorvica-cli
cli_w="$raiz/scripts/wine-ejecutar.sh $windows/cli/transhoralianorvica-cli.exe"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/thn-cruce.XXXXXX")
"$raiz/scripts/wine-servidor.sh" arrancar
trap '"$raiz/scripts/wine-servidor.sh" parar; rm -rf "$tmp"' EXIT
fallos=0
falla() { echo "FALLO: $*" >&2; fallos=$((fallos + 1)); }

# Runs both editions with the same arguments ("@" stands for the edition's
# own working directory); keeps status, output and errors with paths
# written the Linux way.
ambos() {
  for ed in l w; do
    mkdir -p "$tmp/$ed"
    if [ $ed = l ]; then cli=$cli_l; else cli=$cli_w; fi
    args=""
    for a in "$@"; do args="$args '$(printf %s "$a" | sed "s|@|$tmp/$ed|g")'"; done
    estado=0
    eval "$cli $args" >"$tmp/$ed.out" 2>"$tmp/$ed.err" </dev/null || estado=$?
    echo "$estado" >"$tmp/$ed.estado"
    for f in out err; do
      tr '\\' '/' <"$tmp/$ed.$f" | tr -d '\r' | sed "s|$tmp/$ed|@|g" \
        | sed -E -e 's/[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}-[0-9]{2}-[0-9]{2}(_[0-9]+)?/FECHA/g' -e 's|Z:@|@|g' \
        >"$tmp/$ed.$f.n"
    done
  done
  for f in estado out.n err.n; do
    cmp -s "$tmp/l.$f" "$tmp/w.$f" || { falla "$* ($f):"; diff "$tmp/l.$f" "$tmp/w.$f" >&2 || true; }
  done
}

tablas_iguales() {
  for t in "$tmp/l/HTEMP/"*.DBF; do
    cmp -s "$t" "$tmp/w/HTEMP/$(basename "$t")" || falla "$1: $(basename "$t") difiere"
  done
  [ "$(ls "$tmp/l/HTEMP")" = "$(ls "$tmp/w/HTEMP")" ] || falla "$1: otras tablas"
}

for ed in l w; do mkdir -p "$tmp/$ed/HTEMP"; done
for cod in UTF-8 UTF-16 ISO-8859-1 windows-1252; do
  for ed in l w; do
    xmllint --encode "$cod" "$raiz/examples/centro.xml" >"$tmp/$ed/centro.xml"
  done
  ambos exportar @/centro.xml --htemp @/HTEMP --separador-decimal ,
  tablas_iguales "$cod"
done

# The UTF-8 export's tables, kept by the UTF-16 one, and so on: the newest
# kept set is the ISO-8859-1 export's, the same bytes as the last one's.
ambos anteriores --htemp @/HTEMP
ambos restaurar --htemp @/HTEMP
tablas_iguales restaurar
ambos restaurar 2000-01-01_00-00-00 --htemp @/HTEMP

# One SOLUC for both, made from the Linux tables by Free Pascal's writer.
"$linux/tests/thn-soluc-prueba" "$tmp/l/HTEMP" | "$linux/tests/thn-tdbf" escribir 3 "$tmp/l/HTEMP/SOLUC.DBF"
cp "$tmp/l/HTEMP/SOLUC.DBF" "$tmp/w/HTEMP/SOLUC.DBF"
ambos importar @/centro.xml --htemp @/HTEMP --separador-decimal ,
for ed in l w; do
  sed 's/fecha_exportacion="[^"]*"/fecha_exportacion=""/' "$tmp/$ed/ResultadoHoraliacentro.xml" >"$tmp/$ed.resultado"
done
cmp -s "$tmp/l.resultado" "$tmp/w.resultado" || falla "importar: resultados distintos"
grep -q 'fecha_exportacion="[0-9]' "$tmp/w/ResultadoHoraliacentro.xml" || falla "importar: sin fecha"

# A table held by another program.
mkfifo "$tmp/l.tubo" "$tmp/w.tubo"
flock -x "$tmp/l/HTEMP/PROFT.DBF" sh -c 'echo retenida; cat >/dev/null' <"$tmp/l.tubo" >"$tmp/l.retenida" &
exec 3>"$tmp/l.tubo"
"$raiz/scripts/wine-ejecutar.sh" "$windows/tests/thn-retener-tabla.exe" "$tmp/w/HTEMP/PROFT.DBF" \
  <"$tmp/w.tubo" >"$tmp/w.retenida" 2>/dev/null &
exec 4>"$tmp/w.tubo"
n=0
until grep -q retenida "$tmp/l.retenida" && grep -q retenida "$tmp/w.retenida"; do
  n=$((n + 1)); [ $n -lt 300 ] || { falla "no se retuvo la tabla"; break; }
  sleep 0.1
done
ambos exportar @/centro.xml --htemp @/HTEMP --separador-decimal ,
grep -q "está abierta por otro programa" "$tmp/w.err" || falla "tabla retenida: $(cat "$tmp/w.err")"
exec 3>&- 4>&-
wait

# Wrong uses and missing files.
ambos
ambos exportar
ambos --version
ambos exportar @/falta.xml --htemp @/HTEMP
ambos importar @/centro.xml --htemp @/NOHAY
rm -f "$tmp/l/HTEMP/SOLUC.DBF" "$tmp/w/HTEMP/SOLUC.DBF"
ambos importar @/centro.xml --htemp @/HTEMP

[ "$fallos" -eq 0 ] || exit 1
echo "cruce Linux/Windows: todo igual"
