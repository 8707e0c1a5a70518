#!/usr/bin/python3
# SPDX-License-Identifier: EUPL-1.2
"""transhoralianorvica-cli --json against the schema table of the README.

    salida_json.py CLI README.md EJEMPLO.xml [SOLUC_PRUEBA TDBF]

Runs the CLI in every outcome (completed, left-out data with --estricto,
usage error, missing input, error, and, with the two helpers, an import),
and checks each answer: one JSON object on standard output whose "estado"
is the exit status, every field of the table present when the table says,
of its type, and no field the table does not name.
"""
import json
import os
import re
import subprocess
import sys
import tempfile

TIPOS = {
    "entero": lambda v: isinstance(v, int) and not isinstance(v, bool),
    "texto": lambda v: isinstance(v, str),
    "texto o null": lambda v: v is None or isinstance(v, str),
    "lista": lambda v: isinstance(v, list),
}


def esquema(readme):
    """{field: (type, presence)} from the table of the JSON section."""
    texto = open(readme, encoding="utf-8").read()
    seccion = texto[texto.index("### Salida JSON"):]
    seccion = seccion[:seccion.find("\n#", 1) % (len(seccion) + 1)]
    return {f.group(1): (f.group(2), f.group(3))
            for f in re.finditer(r"^\| `([^`]+)` \| ([^|]+?) \| ([^|]+?) \|", seccion, re.M)}


def comprobar(nombre, objeto, campos, completado, errores):
    def falla(texto):
        errores.append(f"{nombre}: {texto}")

    for campo, (tipo, presente) in campos.items():
        if "[]." in campo:
            continue
        debe = presente == "siempre" or (presente == "completado") == completado
        if debe and campo not in objeto:
            falla(f"falta '{campo}'")
        elif campo in objeto and not TIPOS[tipo](objeto[campo]):
            falla(f"'{campo}' no es {tipo}: {objeto[campo]!r}")
        elif campo in objeto and not debe:
            falla(f"sobra '{campo}'")
        if tipo == "lista" and isinstance(objeto.get(campo), list):
            propios = {c.split("[].")[1]: campos[c] for c in campos if c.startswith(campo + "[].")}
            for i, item in enumerate(objeto[campo]):
                if set(item) != set(propios):
                    falla(f"{campo}[{i}] tiene {sorted(item)}, se esperaba {sorted(propios)}")
                for c, (t, _) in propios.items():
                    if c in item and not TIPOS[t](item[c]):
                        falla(f"{campo}[{i}].{c} no es {t}: {item[c]!r}")
    for campo in objeto:
        if campo not in campos:
            falla(f"campo no documentado '{campo}'")


def main():
    cli, readme, ejemplo = sys.argv[1:4]
    ayudantes = sys.argv[4:6]
    campos = esquema(readme)
    assert "formato" in campos and "omisiones[].codigo" in campos, campos
    errores = []
    with tempfile.TemporaryDirectory() as tmp:
        htemp = os.path.join(tmp, "HTEMP")
        os.mkdir(htemp)
        centro = os.path.join(tmp, "centro.xml")
        with open(ejemplo, encoding="utf-8") as e, open(centro, "w", encoding="utf-8") as s:
            # Two subjects taken out: their assignments are left out.
            s.write("".join(l for l in e if 'idmateria="340109"' not in l and 'idmateria="340201"' not in l))
        casos = [
            ("exportar", ["exportar", centro, "--htemp=" + htemp], 0, True),
            ("estricto", ["exportar", centro, "--htemp", htemp, "--estricto"], 4, True),
            ("uso", ["foo"], 2, False),
            ("sin documento", ["exportar", os.path.join(tmp, "no.xml"), "--htemp", htemp], 3, False),
            ("sin directorio", ["exportar", centro, "--htemp", os.path.join(tmp, "NO")], 1, False),
            ("sin solución", ["importar", centro, "--htemp", htemp], 3, False),
        ]
        def responder(nombre, args, estado, completado):
            r = subprocess.run([cli] + args + ["--json"], capture_output=True, text=True,
                               env=dict(os.environ, LC_ALL="C"))
            lineas = r.stdout.splitlines()
            if r.returncode != estado or len(lineas) != 1 or r.stderr:
                errores.append(f"{nombre}: estado {r.returncode}, salida {r.stdout!r}, errores {r.stderr!r}")
                return {}
            objeto = json.loads(lineas[0])
            if objeto.get("estado") != estado or objeto.get("formato") != 1:
                errores.append(f"{nombre}: estado o formato: {objeto}")
            comprobar(nombre, objeto, campos, completado, errores)
            return objeto

        for nombre, args, estado, completado in casos:
            objeto = responder(nombre, args, estado, completado)
            if nombre == "estricto" and not any(o["codigo"] == "materia_inexistente"
                                                for o in objeto.get("omisiones", [])):
                errores.append(f"{nombre}: sin omisiones materia_inexistente")
        # An import over the tables just written, with a solution another
        # implementation of the table format wrote.
        if len(ayudantes) == 2 and all(os.access(a, os.X_OK) for a in ayudantes):
            soluc = subprocess.run([ayudantes[0], htemp], stdout=subprocess.PIPE, check=True).stdout
            subprocess.run([ayudantes[1], "escribir", "3", os.path.join(htemp, "SOLUC.DBF")], input=soluc,
                           check=True)
            objeto = responder("importar", ["importar", centro, "--htemp", htemp], 0, True)
            if not str(objeto.get("documento_resultado")).endswith("ResultadoHoraliacentro.xml"):
                errores.append(f"importar: documento_resultado {objeto.get('documento_resultado')}")
            casos.append(objeto)
        print(f"{len(casos)} respuestas comprobadas contra {len(campos)} campos")
    for e in errores:
        print("FALLO:", e)
    return 1 if errores else 0


if __name__ == "__main__":
    sys.exit(main())
