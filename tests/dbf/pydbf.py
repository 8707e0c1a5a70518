#!/usr/bin/python3
# SPDX-License-Identifier: EUPL-1.2
"""Writes dBASE tables with Debian's python3-dbf, to cross-check the engine.

    /usr/bin/python3 pydbf.py FOLDER

Creates in FOLDER:
  PY3.DBF   dBASE III (0x03): DIA N(9,0), HORAS N(18,8), ASIG C(10), ESTAREA L, FECHA D
  PYFP.DBF  FoxPro 2 (0x03): DIA N(9,0), HORA F(10,3), ASIG C(20), ESTAREA L
  PYVFP.DBF Visual FoxPro (0x30): ORDEN I, HORAS B, COSTE Y, ASIG C(5), all
            nullable (hidden _NullFlags field)
Each has a deleted record, which readers must skip. Text is Windows-1252.
Exit status 3 when the dbf module is missing (the tests then skip).
"""
import datetime
import os
import sys

try:
    import dbf
except ImportError:
    sys.exit(3)


def escribir(ruta, campos, tipo, registros, borrar=()):
    tabla = dbf.Table(ruta, campos, dbf_type=tipo, codepage='cp1252')
    tabla.open(dbf.READ_WRITE)
    for registro in registros:
        tabla.append(registro)
    for i in borrar:
        dbf.delete(tabla[i])
    tabla.close()


def main():
    carpeta = sys.argv[1]
    escribir(os.path.join(carpeta, 'PY3.DBF'),
             'DIA N(9,0); HORAS N(18,8); ASIG C(10); ESTAREA L; FECHA D', 'db3',
             [(1, 2.5, 'L1\u00bd', True, datetime.date(2024, 5, 6)),
              (None, None, None, None, None),
              (3, -0.5, 'BORRADO', False, None),
              (-5, 3.0, 'MAT', False, None)],
             borrar=[2])
    escribir(os.path.join(carpeta, 'PYFP.DBF'),
             'DIA N(9,0); HORA F(10,3); ASIG C(20); ESTAREA L; NOTA M', 'fp',
             [(7, 1.25, 'x' * 19 + 'y', True, 'nota larga'),
              (8, -2.0, 'BORRADO', False, None),
              (9, None, 'Ñandú', None, None)],
             borrar=[1])
    escribir(os.path.join(carpeta, 'PYVFP.DBF'),
             'ORDEN I NULL; HORAS B NULL; COSTE Y NULL; ASIG C(5) NULL', 'vfp',
             [(-3, 2.25, 1.5, 'x\u00bd'),
              (dbf.Null, dbf.Null, dbf.Null, dbf.Null),  # None would store empty values
              (4, 0.5, 2, 'BORR'),
              (-2147483647, -1e300, -0.0001, 'MIN')],
             borrar=[2])


if __name__ == '__main__':
    main()
