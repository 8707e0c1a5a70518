#!/bin/sh
# SPDX-License-Identifier: EUPL-1.2
# Succeeds when this kernel runs 32-bit x86 programs: writes the smallest
# i386 ELF program that exits with status 0 and runs it.
set -eu
programa=$(mktemp "${TMPDIR:-/tmp}/thn-32bits.XXXXXX")
trap 'rm -f "$programa"' EXIT
python3 - "$programa" <<'PY'
import struct, sys
base, cabecera, tabla = 0x08048000, 52, 32
codigo = bytes([0x31, 0xDB, 0xB8, 0x01, 0, 0, 0, 0xCD, 0x80])  # exit(0)
largo = cabecera + tabla + len(codigo)
elf = b"\x7fELF\x01\x01\x01" + bytes(9)
elf += struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, base + cabecera + tabla, cabecera, 0, 0,
                   cabecera, tabla, 1, 0, 0, 0)
elf += struct.pack("<IIIIIIII", 1, 0, base, base, largo, largo, 5, 0x1000)
open(sys.argv[1], "wb").write(elf + codigo)
PY
chmod +x "$programa"
"$programa" 2>/dev/null
