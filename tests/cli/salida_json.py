#!/usr/bin/python3
# SPDX-License-Identifier: EUPL-1.2
"""transhoralianorvica-cli --json against the schema table of the README.

    salida_json.py CLI README.md EJEMPLO.xml [SOLUC_PRUEBA TDBF]

Runs the CLI in every outcome (completed, left-out data with --estricto,
usage error, missing input, error, checks of a sound and of a damaged
document, and, with the two helpers, a check of the solution and an import),
and checks each answer: one JSON object on standard output whose "estado"
is the exit status, every field of the table present when the table says,
of its type, and no field the table does not name. A check must find what
the action then does: the same counts, left-out data and look-ups.
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
    "entero o null": lambda v: v is None or (isinstance(v, int) and not isinstance(v, bool)),
    "lista": lambda v: isinstance(v, list),
}


# Whether a field of each presence belongs in an answer of a class: "error"
# (it has "detalle"), "completado" (an action), "comprobar" (a check that
# ran, which carries the completed answer's fields as well as its own), or
# "anteriores" (the listing of the kept sets).
PRESENCIAS = {
    "siempre": lambda clase: True,
    "error": lambda clase: clase == "error",
    "completado": lambda clase: clase in ("completado", "comprobar"),
    "acción": lambda clase: clase == "completado",
    "comprobar": lambda clase: clase == "comprobar",
    "anteriores": lambda clase: clase == "anteriores",
}


def esquema(readme):
    """{field: (type, presence)} from the table of the JSON section."""
    texto = open(readme, encoding="utf-8").read()
    seccion = texto[texto.index("### Salida JSON"):]
    seccion = seccion[:seccion.find("\n#", 1) % (len(seccion) + 1)]
    return {f.group(1): (f.group(2), f.group(3))
            for f in re.finditer(r"^\| `([^`]+)` \| ([^|]+?) \| ([^|]+?) \|", seccion, re.M)}


def comprobar(nombre, objeto, campos, clase, errores):
    def falla(texto):
        errores.append(f"{nombre}: {texto}")

    for campo, (tipo, presente) in campos.items():
        if "[]." in campo:
            continue
        debe = PRESENCIAS[presente](clase)
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
    assert "formato" in campos and "problemas[].linea" in campos, campos
    desconocidos = {c: v for c, v in campos.items() if v[0] not in TIPOS or v[1] not in PRESENCIAS}
    assert not desconocidos, f"tipo o presencia desconocidos: {desconocidos}"
    errores = []
    with tempfile.TemporaryDirectory() as tmp:
        htemp = os.path.join(tmp, "HTEMP")
        os.mkdir(htemp)
        centro = os.path.join(tmp, "centro.xml")
        with open(ejemplo, encoding="utf-8") as e:
            # Two subjects taken out: their assignments are left out.
            lineas = [l for l in e if 'idmateria="340109"' not in l and 'idmateria="340201"' not in l]
        with open(centro, "w", encoding="utf-8") as s:
            s.write("".join(lineas))
        # The first teacher without its DNI and the first assignment with
        # hours that are no number: both stop an export, on their own lines.
        # The root without its course stops only an import.
        danado = os.path.join(tmp, "danado.xml")
        n = next(i for i, l in enumerate(lineas) if "<centro " in l)
        lineas[n] = re.sub(r' curso="[^"]*"', "", lineas[n])
        esperados = set()
        for atributo, marca, codigo, cambio in [
                ("documento", "<profesor ", "falta_atributo", lambda l: re.sub(r' documento="[^"]*"', "", l)),
                ("nhoras", "<dasignatura ", "flotante_no_valido",
                 lambda l: re.sub(r'nhoras="[^"]*"', 'nhoras="dos"', l))]:
            n = next(i for i, l in enumerate(lineas) if marca in l)
            lineas[n] = cambio(lineas[n])
            esperados.add((codigo, atributo, n + 1))
        with open(danado, "w", encoding="utf-8") as s:
            s.write("".join(lineas))
        # (name, arguments, exit statuses, class of answer: see PRESENCIAS)
        casos = [
            ("exportar", ["exportar", centro, "--htemp=" + htemp], {0}, "completado"),
            ("estricto", ["exportar", centro, "--htemp", htemp, "--estricto"], {4}, "completado"),
            # The second export kept the first one's tables; putting them back keeps the second's.
            ("anteriores", ["anteriores", "--htemp", htemp], {0}, "anteriores"),
            ("restaurar", ["restaurar", "--htemp", htemp], {0}, "completado"),
            ("restaurar sin tal fecha", ["restaurar", "2000-01-01_00-00-00", "--htemp", htemp], {1}, "error"),
            ("uso", ["foo"], {2}, "error"),
            ("sin documento", ["exportar", os.path.join(tmp, "no.xml"), "--htemp", htemp], {3}, "error"),
            ("sin directorio", ["exportar", centro, "--htemp", os.path.join(tmp, "NO")], {1}, "error"),
            ("sin solución", ["importar", centro, "--htemp", htemp], {3}, "error"),
            ("comprobar", ["comprobar", centro], {4}, "comprobar"),
            ("comprobar dañado", ["comprobar", danado], {1}, "comprobar"),
            ("comprobar sin documento", ["comprobar", os.path.join(tmp, "no.xml")], {3}, "error"),
        ]
        respuestas = {}

        def responder(nombre, args, estados, clase):
            r = subprocess.run([cli] + args + ["--json"], capture_output=True, text=True,
                               env=dict(os.environ, LC_ALL="C"))
            salida = r.stdout.splitlines()
            if r.returncode not in estados or len(salida) != 1 or r.stderr:
                errores.append(f"{nombre}: estado {r.returncode}, salida {r.stdout!r}, errores {r.stderr!r}")
                return {}
            objeto = json.loads(salida[0])
            if objeto.get("estado") != r.returncode or objeto.get("formato") != 1:
                errores.append(f"{nombre}: estado o formato: {objeto}")
            comprobar(nombre, objeto, campos, clase, errores)
            respuestas[nombre] = objeto
            return objeto

        def coinciden(comprobacion, accion, tipo):
            """A check must foresee what the action then does."""
            k, a = respuestas.get(comprobacion, {}), respuestas.get(accion, {})
            if k.get("comprobacion") != tipo:
                errores.append(f"{comprobacion}: comprobacion {k.get('comprobacion')!r}, no {tipo!r}")
            for campo in ("recuentos", "omisiones", "avisos"):
                if k.get(campo) != a.get(campo):
                    errores.append(f"{comprobacion}: {campo} {k.get(campo)} y {accion} {a.get(campo)}")

        for caso in casos:
            responder(*caso)
        if len(respuestas.get("anteriores", {}).get("conjuntos", [])) != 1:
            errores.append(f"anteriores: {respuestas.get('anteriores')}")
        if not respuestas.get("restaurar", {}).get("anteriores") or respuestas.get("estricto", {}).get("anteriores") is None:
            errores.append("restaurar o estricto: no dicen dónde quedan las tablas que sustituyeron")
        if not any(o["codigo"] == "materia_inexistente"
                   for o in respuestas.get("estricto", {}).get("omisiones", [])):
            errores.append("estricto: sin omisiones materia_inexistente")
        coinciden("comprobar", "estricto", "documento")

        def problemas(nombre, esperados):
            hallados = {(p["codigo"], p["atributo"], p["linea"])
                        for p in respuestas.get(nombre, {}).get("problemas", [])}
            if hallados != esperados:
                errores.append(f"{nombre}: problemas {sorted(hallados, key=str)}, "
                               f"se esperaban {sorted(esperados, key=str)}")

        problemas("comprobar dañado", esperados)
        # A check of the solution, then an import, over the tables just
        # written, with a solution another implementation of the table format wrote.
        if len(ayudantes) == 2 and all(os.access(a, os.X_OK) for a in ayudantes):
            soluc = subprocess.run([ayudantes[0], htemp], stdout=subprocess.PIPE, check=True).stdout
            subprocess.run([ayudantes[1], "escribir", "3", os.path.join(htemp, "SOLUC.DBF")], input=soluc,
                           check=True)

            def estado_carpetas():
                return {d: sorted((e.name, e.stat().st_size, e.stat().st_mtime_ns) for e in os.scandir(d))
                        + [os.stat(d).st_mtime_ns] for d in (tmp, htemp)}

            antes = estado_carpetas()
            responder("comprobar solución", ["comprobar", centro, "--solucion", "--htemp", htemp], {0, 4},
                      "comprobar")
            responder("comprobar solución dañada", ["comprobar", danado, "--solucion", "--htemp", htemp],
                      {1}, "comprobar")
            if estado_carpetas() != antes:
                errores.append("comprobar solución: ha escrito en el directorio de trabajo o junto al documento")
            objeto = responder("importar", ["importar", centro, "--htemp", htemp], {0}, "completado")
            if not str(objeto.get("documento_resultado")).endswith("ResultadoHoraliacentro.xml"):
                errores.append(f"importar: documento_resultado {objeto.get('documento_resultado')}")
            coinciden("comprobar solución", "importar", "solucion")
            problemas("comprobar solución dañada", {("falta_atributo", "curso", None)})
        print(f"{len(respuestas)} respuestas comprobadas contra {len(campos)} campos")
    for e in errores:
        print("FALLO:", e)
    return 1 if errores else 0


if __name__ == "__main__":
    sys.exit(main())
