#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# The licence identifier at the top of every source file, in the comment
# syntax of each kind: C++, CMake, shell, Python, Pascal, scdoc, and the HTML
# and CSS of the help. After a "#!" line or an HTML document type, it comes
# second. Idempotent.
#
#   scripts/spdx.sh              adds it where it is missing
#   scripts/spdx.sh --comprobar  lists the files without it; fails if any
set -eu
cd "$(dirname "$0")/.."

identificador="SPDX-License-Identifier: EUPL-1.2"
comprobar=false
case "${1:-}" in
  "") ;;
  --comprobar) comprobar=true ;;
  *) echo "uso: $0 [--comprobar]" >&2; exit 2 ;;
esac

# The comment line for a file; empty for files that take none.
comentario() {
  case "$1" in
    *.cpp|*.h|*.hpp) echo "// $identificador" ;;
    *CMakeLists.txt|*.cmake|*.sh|*.py|.ci/run) echo "# $identificador" ;;
    *.pas|*.pp|*.lpr) echo "{ $identificador }" ;;
    *.scd) echo "; $identificador" ;;
    *.htm|*.html|*.hhc|*.hhk) echo "<!-- $identificador -->" ;;
    *.css) echo "/* $identificador */" ;;
  esac
}

# Tracked files and new ones not ignored, so that it also serves before a commit.
git ls-files --cached --others --exclude-standard | sort -u | while IFS= read -r f; do
  [ -f "$f" ] || continue
  linea=$(comentario "$f")
  [ -n "$linea" ] || continue
  if head -n 3 "$f" | grep -qF "$identificador"; then
    continue
  fi
  if $comprobar; then
    echo "$f"
    continue
  fi
  # Second after a "#!" line (scdoc: after its title line), or after an HTML
  # document type; first otherwise.
  awk -v linea="$linea" -v scd="$(case "$f" in *.scd) echo 1 ;; *) echo 0 ;; esac)" '
    NR == 1 && (/^#!/ || /^<!DOCTYPE/ || /^<!doctype/ || scd == 1) { print; print linea; next }
    NR == 1 { print linea }
    { print }
  ' "$f" >"$f.spdx"
  # A new file in place of the old one: this script, running, is among them.
  chmod --reference="$f" "$f.spdx"
  mv "$f.spdx" "$f"
done | { salida=$(cat); [ -z "$salida" ] || { echo "Sin «$identificador»:"; echo "$salida"; exit 1; }; }
