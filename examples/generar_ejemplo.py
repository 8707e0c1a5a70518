#!/usr/bin/python3
# SPDX-License-Identifier: EUPL-1.2
"""Writes examples/centro.xml, the example centre document of an IES.

Deterministic: no randomness, no clock; running it twice gives the same bytes.
Standard library only.  Usage: generar_ejemplo.py [RUTA]  (default: centro.xml
next to this script).

The school is built from its curriculum: every group gets its weekly blocks,
the classes are handed out to the teachers of each department (least loaded
first), and the hours any teacher may give (Atención Educativa, Valores,
Refuerzo, tutorías) even out the loads.  The script checks its result before
writing it: every group has 30 hours, every teacher 18 to 20, nobody is in two
places at once, and only the two expected teachers share a code.

Conexion marks tie the rows that happen at the same time: the options of a
block (Religión or Atención Educativa, Francés or Refuerzo...) share one mark,
and a class taught jointly to several groups is one row per group with the same
teacher and the same mark, counted once in the teacher's load.
"""

import sys
from pathlib import Path
from xml.sax.saxutils import quoteattr

# ---------------------------------------------------------------------------
# Centre

CENTRO = [
    ("codigo_interno", "29011542"),
    ("nombre", "IES Puerta del Norte"),
    ("curso", "2026/2027"),
    ("version", "3.2"),
    # Carried by the school-management system; not read by the converter.
    ("localidad", "Villanueva de la Sierra"),
    ("fecha_generacion", "2026-06-29T12:40:00"),
]

# ---------------------------------------------------------------------------
# Subjects and activities: (codigo, nombre, codigo_actividad, departments
# whose teachers give it).  An activity has codigo == codigo_actividad.  "*"
# marks a subject any teacher may give; "TUTOR", the group's tutor.

ACTIVIDADES = [
    ("LECTIVA", "Lectiva"),
    ("GUARDIA", "Guardia"),
    ("TUTORIA", "Tutoría"),
    ("REUNION", "Reunión"),
]

MATERIAS = [
    # Lengua Castellana y Literatura
    ("LCL", "Lengua Castellana y Literatura", "LECTIVA", ("LEN",)),
    ("LCLB1", "Lengua Castellana y Literatura I", "LECTIVA", ("LEN",)),
    ("LCLB2", "Lengua Castellana y Literatura II", "LECTIVA", ("LEN",)),
    ("LUN", "Literatura Universal", "LECTIVA", ("LEN",)),
    # Matemáticas
    ("MAT", "Matemáticas", "LECTIVA", ("MAT",)),
    ("MATA", "Matemáticas A", "LECTIVA", ("MAT",)),
    ("MATB", "Matemáticas B", "LECTIVA", ("MAT",)),
    ("REFM", "Refuerzo de Matemáticas", "LECTIVA", ("*",)),
    ("MAT1", "Matemáticas I", "LECTIVA", ("MAT",)),
    ("MAT2", "Matemáticas II", "LECTIVA", ("MAT",)),
    ("MCS1", "Matemáticas Aplicadas a las Ciencias Sociales I", "LECTIVA", ("MAT",)),
    ("MCS2", "Matemáticas Aplicadas a las Ciencias Sociales II", "LECTIVA", ("MAT",)),
    # Inglés
    ("ING", "Lengua Extranjera: Inglés", "LECTIVA", ("ING",)),
    ("INGB1", "Lengua Extranjera I: Inglés", "LECTIVA", ("ING",)),
    ("INGB2", "Lengua Extranjera II: Inglés", "LECTIVA", ("ING",)),
    # Francés
    ("FRA", "Segunda Lengua Extranjera: Francés", "LECTIVA", ("FRA",)),
    ("FRA1", "Segunda Lengua Extranjera I: Francés", "LECTIVA", ("FRA",)),
    ("FRA2", "Segunda Lengua Extranjera II: Francés", "LECTIVA", ("FRA",)),
    # Geografía e Historia
    ("GH", "Geografía e Historia", "LECTIVA", ("GH",)),
    ("HES", "Historia de España", "LECTIVA", ("GH",)),
    ("HMC", "Historia del Mundo Contemporáneo", "LECTIVA", ("GH",)),
    ("HART", "Historia del Arte", "LECTIVA", ("GH",)),
    # Biología y Geología
    ("BG", "Biología y Geología", "LECTIVA", ("BG",)),
    ("BGCA", "Biología, Geología y Ciencias Ambientales", "LECTIVA", ("BG",)),
    ("BIO", "Biología", "LECTIVA", ("BG",)),
    ("ANA", "Anatomía Aplicada", "LECTIVA", ("EF",)),
    # Física y Química
    ("FQ", "Física y Química", "LECTIVA", ("FQ",)),
    ("FQ1", "Física y Química (Bachillerato)", "LECTIVA", ("FQ",)),
    ("FIS", "Física", "LECTIVA", ("FQ",)),
    ("QUI", "Química", "LECTIVA", ("FQ",)),
    # Educación Física
    ("EF", "Educación Física", "LECTIVA", ("EF",)),
    ("EFB", "Educación Física (Bachillerato)", "LECTIVA", ("EF",)),
    # Música
    ("MUS", "Música", "LECTIVA", ("MUS",)),
    # Dibujo
    ("EPVA", "Educación Plástica, Visual y Audiovisual", "LECTIVA", ("DIB",)),
    ("DT1", "Dibujo Técnico I", "LECTIVA", ("DIB",)),
    ("DT2", "Dibujo Técnico II", "LECTIVA", ("DIB",)),
    # Tecnología
    ("TEC", "Tecnología y Digitalización", "LECTIVA", ("TEC",)),
    ("DIG", "Digitalización", "LECTIVA", ("TEC",)),
    ("TIC1", "Tecnologías de la Información y la Comunicación I", "LECTIVA", ("TEC",)),
    ("TIC2", "Tecnologías de la Información y la Comunicación II", "LECTIVA", ("TEC",)),
    # Over ten characters: the timetable tables keep short codes.
    ("TECINGENIERIA1", "Tecnología e Ingeniería I", "LECTIVA", ("TEC",)),
    # Filosofía
    ("FIL", "Filosofía", "LECTIVA", ("FIL",)),
    ("HFIL", "Historia de la Filosofía", "LECTIVA", ("FIL",)),
    ("VCE", "Educación en Valores Cívicos y Éticos", "LECTIVA", ("*",)),
    # Latín y Griego
    ("LAT", "Latín", "LECTIVA", ("LAT",)),
    ("LAT1", "Latín I", "LECTIVA", ("LAT",)),
    ("LAT2", "Latín II", "LECTIVA", ("LAT",)),
    ("GRI2", "Griego II", "LECTIVA", ("LAT",)),
    ("CCL", "Cultura Clásica", "LECTIVA", ("LAT", "GH", "LEN")),
    # Economía
    ("ECO", "Economía y Emprendimiento", "LECTIVA", ("ECO",)),
    ("ECO1", "Economía", "LECTIVA", ("ECO",)),
    ("EMP", "Empresa y Diseño de Modelos de Negocio", "LECTIVA", ("ECO",)),
    ("FOP", "Formación y Orientación Personal y Profesional", "LECTIVA", ("ECO",)),
    # Religión, Atención Educativa, Tutoría
    ("REL", "Religión Católica", "LECTIVA", ("REL",)),
    ("AE", "Atención Educativa", "LECTIVA", ("*",)),
    ("TUT", "Tutoría", "TUTORIA", ("TUTOR",)),
]

# ---------------------------------------------------------------------------
# Teachers: (nombre, apellido1, apellido2, departamento).  The codigo is the
# initials, as the school writes them; María García Ruiz and Manuel Gómez Rey
# both come out as MGR.

PROFESORES = [
    ("María", "García", "Ruiz", "LEN"),
    ("Antonio", "Fernández", "Lozano", "LEN"),
    ("Lucía", "Navarro", "Ibáñez", "LEN"),
    ("Jesús", "Herrera", "Castillo", "LEN"),
    ("Manuel", "Gómez", "Rey", "MAT"),
    ("Ángela", "Martínez", "Soto", "MAT"),
    ("Raúl", "Domínguez", "Peña", "MAT"),
    ("Inés", "Álvarez", "Núñez", "MAT"),
    ("Joaquín", "Ortega", "Blanco", "MAT"),
    ("Begoña", "Iglesias", "Cano", "ING"),
    ("Óscar", "Romero", "Márquez", "ING"),
    ("Nuria", "Vázquez", "Prieto", "ING"),
    ("Sebastián", "Moreno", "Gallego", "ING"),
    ("Laura", "Bermejo", "Quesada", "ING"),
    ("Claire", "Dubois", "", "FRA"),
    ("Tomás", "Jiménez", "Aguilar", "FRA"),
    ("Pilar", "Muñoz", "Cortés", "GH"),
    ("Álvaro", "Rodríguez", "Sáez", "GH"),
    ("Verónica", "Díaz", "Herrero", "GH"),
    ("Rocío", "López", "Benítez", "BG"),
    ("Andrés", "Castro", "Ramos", "BG"),
    ("Yolanda", "Méndez", "Ortiz", "BG"),
    ("Mónica", "Pérez", "Durán", "FQ"),
    ("Íñigo", "Echeverría", "Lasa", "FQ"),
    ("Elena", "Molina", "Garrido", "FQ"),
    ("Víctor", "Serrano", "Campos", "EF"),
    ("Dolores", "Gutiérrez", "Medina", "EF"),
    ("Ramón", "Calvo", "Fuentes", "MUS"),
    ("Belén", "Torres", "Carmona", "DIB"),
    ("Adrián", "Santos", "Vega", "DIB"),
    ("Sofía", "Marín", "Pastor", "TEC"),
    ("Rubén", "Guerrero", "Mora", "TEC"),
    ("Héctor", "Urrutia", "Zamora", "TEC"),
    ("José Luis", "Bermúdez", "Crespo", "FIL"),
    ("Rosario", "Ferrer", "Quintana", "GH"),
    ("Carmen", "Nieto", "Arias", "LAT"),
    ("Martín", "Cabrera", "Esteban", "ECO"),
    ("Francisco Javier", "Lorenzo", "Montero", "REL"),
]

# ---------------------------------------------------------------------------
# Groups: (codigo, nombre, codigo_nivel, curso, cgrupo, plan).

GRUPOS = (
    [(f"1ESO{l}", f"1º ESO {l}", "ESO", "1", l, "1ESO") for l in "ABCD"]
    + [(f"2ESO{l}", f"2º ESO {l}", "ESO", "2", l, "2ESO") for l in "ABCD"]
    + [(f"3ESO{l}", f"3º ESO {l}", "ESO", "3", l, "3ESO") for l in "ABC"]
    + [(f"4ESO{l}", f"4º ESO {l}", "ESO", "4", l, "4ESO" + ("C" if l == "C" else "AB"))
       for l in "ABC"]
    + [
        ("1BACH-CIEN", "1º Bachillerato de Ciencias y Tecnología", "BACH", "1", "A", "1CIEN"),
        ("1BACH-TECN", "1º Bachillerato de Ciencias y Tecnología (Ingeniería)", "BACH", "1", "B",
         "1TECN"),
        ("1BACH-HCS", "1º Bachillerato de Humanidades y Ciencias Sociales", "BACH", "1", "C",
         "1HCS"),
        ("2BACH-CIEN", "2º Bachillerato de Ciencias y Tecnología", "BACH", "2", "A", "2CIEN"),
        ("2BACH-TECN", "2º Bachillerato de Ciencias y Tecnología (Ingeniería)", "BACH", "2", "B",
         "2TECN"),
        # Over ten characters, as the school typed it.
        ("2BACH-HUMANIDADES", "2º Bachillerato de Humanidades y Ciencias Sociales", "BACH", "2",
         "C", "2HUM"),
    ]
)

# Weekly plan of each kind of group.  An entry is (hours, subject) or
# (hours, [subject, subject, ...]) for a block given at the same time: options
# (Francés or Refuerzo) or, with the subject twice, a group split in two halves
# (desdoble) with a teacher each.  Hours are texts as the school writes them
# (comma decimal).
PLANES = {
    "1ESO": [("4", "LCL"), ("4", "MAT"), ("4", ["ING", "ING"]), ("3", "GH"), ("3", ["BG", "BG"]),
             ("2", "EF"), ("2", "MUS"), ("2", ["EPVA", "EPVA"]), ("2", ["TEC", "TEC"]),
             ("2", ["FRA", "REFM"]), ("1", ["REL", "AE"]), ("1", "TUT")],
    "2ESO": [("4", "LCL"), ("4", "MAT"), ("4", "ING"), ("3", "GH"), ("3", ["FQ", "FQ"]),
             ("2,5", "EF"), ("2,5", "MUS"), ("2", ["TEC", "TEC"]), ("2", ["FRA", "REFM"]),
             ("1", ["REL", "AE"]), ("1", "VCE"), ("1", "TUT")],
    "3ESO": [("4", "LCL"), ("4", "MAT"), ("4", "ING"), ("3", "GH"), ("3", "BG"),
             ("2", ["FQ", "FQ"]), ("2", "EF"), ("2", "TEC"), ("2", "EPVA"),
             ("2", ["FRA", "CCL"]), ("1", ["REL", "AE"]), ("1", "TUT")],
    "4ESOAB": [("4", "LCL"), ("4", "MATB"), ("4", "ING"), ("3", "GH"), ("2", "EF"),
               ("1", ["REL", "AE"]), ("1", "TUT")],
    "4ESOC": [("4", "LCL"), ("4", "MATA"), ("4", "ING"), ("3", "GH"), ("2", "EF"),
              ("1", ["REL", "AE"]), ("1", "TUT")],
    "1CIEN": [("3", "LCLB1"), ("3", "INGB1"), ("3", "FIL"), ("2", "EFB"), ("4", "MAT1"),
              ("4", "FQ1"), ("4", "BGCA"), ("4", ["ANA", "DT1"]), ("1", ["REL", "AE"])],
    "1TECN": [("3", "LCLB1"), ("3", "INGB1"), ("3", "FIL"), ("2", "EFB"), ("4", "MAT1"),
              ("4", "FQ1"), ("4", "TECINGENIERIA1"), ("4", "DT1"), ("1", ["REL", "AE"])],
    "1HCS": [("3", "LCLB1"), ("3", "INGB1"), ("3", "FIL"), ("2", "EFB"), ("4", ["LAT1", "MCS1"]),
             ("4", "HMC"), ("4", "ECO1"), ("4", "LUN"), ("1", ["REL", "AE"])],
    "2CIEN": [("3", "LCLB2"), ("4", "INGB2"), ("3", "HES"), ("3", "HFIL"), ("4", "MAT2"),
              ("4", "QUI"), ("4", ["FIS", "BIO"]), ("1", "TUTORIA")],
    "2TECN": [("3", "LCLB2"), ("4", "INGB2"), ("3", "HES"), ("3", "HFIL"), ("4", "MAT2"),
              ("4", "FIS"), ("4", "DT2"), ("1", "TUTORIA")],
    "2HUM": [("3", "LCLB2"), ("4", "INGB2"), ("3", "HES"), ("3", "HFIL"), ("4", ["LAT2", "MCS2"]),
             ("4", ["GRI2", "EMP"]), ("4", "HART"), ("1", "TUTORIA")],
}

# Option blocks shared by every group of a course: one class per option, one
# row per group, all with the same teacher and mark.
BLOQUES_CONJUNTOS = [
    ("E4O1", ["4ESOA", "4ESOB", "4ESOC"], "3", ["BG", "ECO", "LAT"]),
    ("E4O2", ["4ESOA", "4ESOB", "4ESOC"], "3", ["FQ", "DIG", "TEC"]),
    ("E4O3", ["4ESOA", "4ESOB", "4ESOC"], "3", ["FRA", "FOP", "CCL"]),
    ("E4O4", ["4ESOA", "4ESOB", "4ESOC"], "2", ["MUS", "EPVA"]),
    ("B1O1", ["1BACH-CIEN", "1BACH-TECN", "1BACH-HCS"], "2", ["FRA1", "TIC1"]),
    ("B2O1", ["2BACH-CIEN", "2BACH-TECN", "2BACH-HUMANIDADES"], "4", ["FRA2", "TIC2"]),
]

# ---------------------------------------------------------------------------
# Rooms: (codigo, nombre, capacidad_alumnos).

AULAS = (
    [(f"A1{n:02}", f"Aula 1.{n:02}", "30") for n in range(1, 9)]
    + [(f"A2{n:02}", f"Aula 2.{n:02}", "32" if n <= 4 else "28") for n in range(1, 9)]
    + [
        ("LABQ", "Laboratorio de Química", "24"),
        ("LABB", "Laboratorio de Biología y Geología", "24"),
        ("INF1", "Aula de Informática 1", "20"),
        ("INF2", "Aula de Informática 2", "20"),
        ("MUS", "Aula de Música", "30"),
        ("PLA", "Aula de Plástica", "28"),
        ("TALLER", "Taller de Tecnología", "24"),
        ("GIM", "Gimnasio", ""),
        # The school never gave the outdoor court a code.
        ("", "Pista polideportiva", ""),
    ]
)

# Six periods a day, the break after the third.
PERIODOS = [("08:00", "08:55"), ("08:55", "09:50"), ("09:50", "10:45"),
            ("11:15", "12:10"), ("12:10", "13:05"), ("13:05", "14:00")]

CARGA_MINIMA, CARGA_MAXIMA = 18, 20
HORAS_GRUPO = 30


# ---------------------------------------------------------------------------

def horas(texto):
    return float(texto.replace(",", "."))


def sin_tildes(texto):
    return texto.translate(str.maketrans("ÁÉÍÓÚÜÑáéíóúüñ", "AEIOUUNaeiouun"))


def codigo_profesor(nombre, apellido1, apellido2):
    iniciales = nombre[0] + apellido1[0] + (apellido2[0] if apellido2 else apellido1[1])
    return sin_tildes(iniciales).upper()


def documento(i, extranjero):
    """A valid DNI (8 digits and check letter); the French teacher has an NIE."""
    letras = "TRWAGMYFPDXBNJZSQVHLCKE"
    numero = (20417389 + i * 1234577) % 100000000
    if extranjero:
        numero %= 10000000
        return f"X{numero:07}{letras[numero % 23]}"
    return f"{numero:08}{letras[numero % 23]}"


class Clase:
    """What one teacher gives: a subject, its weekly hours and its rows.

    A row is (group, hours text, conexion); a joint class has one row per
    group, all with the same mark.
    """

    def __init__(self, materia, horas_texto, filas):
        self.materia = materia
        self.horas = horas(horas_texto)
        self.filas = filas
        self.profesor = None

    def grupos(self):
        return [fila[0] for fila in self.filas]

    def marcas(self):
        return {fila[2] for fila in self.filas if fila[2]}


def construir_clases():
    clases = []
    for codigo, _, nivel, curso, letra, plan in GRUPOS:
        bloque = 0
        for horas_texto, materias in PLANES[plan]:
            if isinstance(materias, list):
                bloque += 1
                marca = f"{nivel[0]}{curso}{letra}{bloque}"
                clases += [Clase(m, horas_texto, [(codigo, horas_texto, marca)]) for m in materias]
            else:
                clases.append(Clase(materias, horas_texto, [(codigo, horas_texto, "")]))
    for marca, grupos, horas_texto, materias in BLOQUES_CONJUNTOS:
        clases += [Clase(m, horas_texto, [(g, horas_texto, marca) for g in grupos])
                   for m in materias]
    return clases


class Reparto:
    """Who gives each class, and the rules a teaching load must keep.

    A teacher gives subjects of his department (or of any, for the "*" ones),
    never two classes with the same mark (they happen at the same time), and
    tutors at most one group, one he teaches.
    """

    def __init__(self, clases, profesores):
        self.clases = clases
        self.profesores = profesores
        self.departamentos = {m[0]: m[3] for m in MATERIAS}
        self.departamentos.update({a[0]: ("TUTOR",) for a in ACTIVIDADES})
        self.carga = [0.0] * len(profesores)

    def tutoria(self, clase):
        return self.departamentos[clase.materia] == ("TUTOR",)

    def de(self, p):
        return [c for c in self.clases if c.profesor == p]

    def ensena(self, p, grupo):
        return any(grupo in c.grupos() and not self.tutoria(c) for c in self.de(p))

    def puede(self, clase, p):
        if self.tutoria(clase):
            if not self.ensena(p, clase.filas[0][0]):
                return False
            if any(self.tutoria(c) for c in self.de(p) if c is not clase):
                return False
        elif self.departamentos[clase.materia] != ("*",):
            if self.profesores[p][3] not in self.departamentos[clase.materia]:
                return False
        return all(not clase.marcas() & c.marcas() for c in self.de(p) if c is not clase)

    def valido(self):
        return all(self.puede(c, c.profesor) for c in self.clases)

    def dar(self, clase, p):
        if clase.profesor is not None:
            self.carga[clase.profesor] -= clase.horas
        clase.profesor = p
        self.carga[p] += clase.horas

    def intentar(self, pasos):
        """Makes the moves (clase, teacher) if the result keeps every rule."""
        antes = [(clase, clase.profesor) for clase, _ in pasos]
        for clase, p in pasos:
            self.dar(clase, p)
        if self.valido():
            return True
        for clase, p in reversed(antes):
            self.dar(clase, p)
        return False


def fuera(horas_p):
    return max(0.0, CARGA_MINIMA - horas_p, horas_p - CARGA_MAXIMA)


def repartir(clases, profesores):
    """Hands every class to a teacher and returns the loads.

    Least loaded first: department classes (joint and long ones first), then
    the tutorías, then the hours any teacher may give.  Then classes move
    between teachers, alone, in exchange or along a chain, while that brings a
    load nearer the 18 to 20 hours.
    """
    r = Reparto(clases, profesores)
    todos = range(len(profesores))

    def al_menos_cargado(clase):
        validos = [p for p in todos if r.puede(clase, p)]
        caben = [p for p in validos if r.carga[p] + clase.horas <= CARGA_MAXIMA]
        r.dar(clase, min(caben or validos, key=lambda p: (r.carga[p], p)))

    libres = [c for c in clases if r.departamentos[c.materia] == ("*",)]
    tutorias = [c for c in clases if r.tutoria(c)]
    fijas = [c for c in clases if c not in libres and c not in tutorias]
    for clase in sorted(fijas, key=lambda c: (-c.horas * len(c.filas), c.filas[0][0], c.materia)):
        al_menos_cargado(clase)
    for clase in tutorias + libres:
        al_menos_cargado(clase)

    def desvio(*cambios):
        return sum(fuera(r.carga[p] + d) - fuera(r.carga[p]) for p, d in cambios)

    def mover_una():
        for clase in clases:
            v = clase.profesor
            for u in todos:
                if u != v and desvio((u, clase.horas), (v, -clase.horas)) < 0:
                    if r.intentar([(clase, u)]):
                        return True
        return False

    def cambiar_dos():
        for a in clases:
            for b in clases:
                u, v = a.profesor, b.profesor
                if u == v or a.horas == b.horas:
                    continue
                if desvio((u, b.horas - a.horas), (v, a.horas - b.horas)) < 0:
                    if r.intentar([(a, v), (b, u)]):
                        return True
        return False

    def en_cadena(falta):
        """From a teacher short of hours: he takes a class, whoever lost it
        takes another, and so on until one who can spare it."""
        origen = {falta: None}
        frente = [(falta, r.carga[falta])]
        while frente:
            siguiente = []
            for u, carga_u in frente:
                for clase in clases:
                    w = clase.profesor
                    if (w in origen or not CARGA_MINIMA <= carga_u + clase.horas <= CARGA_MAXIMA
                            or not r.puede(clase, u)):
                        continue
                    origen[w] = (u, clase)
                    if r.carga[w] - clase.horas >= CARGA_MINIMA and r.intentar(camino(origen, w)):
                        return True
                    siguiente.append((w, r.carga[w] - clase.horas))
            frente = siguiente
        return False

    def en_cadena_inversa(sobra):
        """From a teacher over the limit: he gives a class away, whoever takes
        it gives another, and so on until one with room."""
        destino = {sobra: None}
        frente = [(sobra, r.carga[sobra])]
        while frente:
            siguiente = []
            for w, carga_w in frente:
                for clase in r.de(w):
                    if not CARGA_MINIMA <= carga_w - clase.horas <= CARGA_MAXIMA:
                        continue
                    for u in todos:
                        if u in destino or not r.puede(clase, u):
                            continue
                        destino[u] = (w, clase)
                        if r.carga[u] + clase.horas <= CARGA_MAXIMA:
                            if r.intentar(camino(destino, u)):
                                return True
                        siguiente.append((u, r.carga[u] + clase.horas))
            frente = siguiente
        return False

    def camino(enlaces, p):
        """The moves recorded from p back to the chain's start."""
        pasos = []
        while enlaces[p] is not None:
            otro, clase = enlaces[p]
            pasos.append((clase, otro if clase.profesor == p else p))
            p = otro
        return pasos

    def cadenas():
        return (any(en_cadena(p) for p in todos if r.carga[p] < CARGA_MINIMA)
                or any(en_cadena_inversa(p) for p in todos if r.carga[p] > CARGA_MAXIMA))

    while mover_una() or cambiar_dos() or cadenas():
        pass
    return r


def comprobar(clases, r):
    """Stops the script unless the school is coherent."""
    if not r.valido():
        raise SystemExit("un profesor tiene dos clases a la vez o una tutoría ajena")
    for p, horas_p in enumerate(r.carga):
        if fuera(horas_p):
            raise SystemExit(f"carga fuera de rango: {PROFESORES[p]} {horas_p}")
    for codigo, *_ in GRUPOS:
        por_marca = {}
        total = 0.0
        for c in clases:
            for grupo, horas_texto, conexion in c.filas:
                if grupo != codigo:
                    continue
                if conexion:
                    por_marca[conexion] = horas(horas_texto)
                else:
                    total += horas(horas_texto)
        total += sum(por_marca.values())
        if total != HORAS_GRUPO:
            raise SystemExit(f"el grupo {codigo} tiene {total} horas")
        if sum(1 for c in clases if r.tutoria(c) and codigo in c.grupos()) > 1:
            raise SystemExit(f"el grupo {codigo} tiene dos tutores")
    codigos = [codigo_profesor(*p[:3]) for p in PROFESORES]
    repetidos = sorted({c for c in codigos if codigos.count(c) > 1})
    if repetidos != ["MGR"]:
        raise SystemExit(f"códigos de profesor repetidos: {repetidos}")


# ---------------------------------------------------------------------------

def elemento(nombre, atributos, sangria):
    texto = " ".join(f"{a}={quoteattr(v)}" for a, v in atributos)
    return f"{'  ' * sangria}<{nombre} {texto}/>"


def documento_xml():
    profesores = PROFESORES
    clases = construir_clases()
    reparto = repartir(clases, profesores)
    comprobar(clases, reparto)

    id_materia = {}
    for i, (codigo, *_) in enumerate(ACTIVIDADES + MATERIAS):
        id_materia[codigo] = str(340017 + 23 * i)
    id_profesor = [str(118402 + 37 * i) for i in range(len(profesores))]
    id_grupo = {g[0]: str(70125 + 11 * i) for i, g in enumerate(GRUPOS)}
    cursos = sorted({(g[2], g[3]) for g in GRUPOS}, key=lambda c: (c[0] != "ESO", c[1]))
    id_curso = {c: str(6101 + 100 * (c[0] == "BACH") + int(c[1]) - 1) for c in cursos}

    lineas = ['<?xml version="1.0" encoding="UTF-8"?>',
              "<!-- Centro de ejemplo: datos ficticios generados por generar_ejemplo.py -->"]
    raiz = " ".join(f"{a}={quoteattr(v)}" for a, v in CENTRO)
    lineas.append(f"<centro {raiz}>")

    lineas.append("  <materias>")
    for codigo, nombre in ACTIVIDADES:
        lineas.append(elemento("dmateria", [("codigo", codigo), ("nombre", nombre),
                                            ("codigo_actividad", codigo),
                                            ("idmateria", id_materia[codigo])], 2))
    for codigo, nombre, actividad, _ in MATERIAS:
        lineas.append(elemento("dmateria", [("codigo", codigo), ("nombre", nombre),
                                            ("codigo_actividad", actividad),
                                            ("idmateria", id_materia[codigo])], 2))
    lineas.append("  </materias>")

    lineas.append("  <profesores>")
    for i, (nombre, apellido1, apellido2, _) in enumerate(profesores):
        lineas.append(elemento("profesor", [
            ("codigo", codigo_profesor(nombre, apellido1, apellido2)), ("nombre", nombre),
            ("apellido1", apellido1), ("apellido2", apellido2),
            ("documento", documento(i, extranjero=not apellido2)),
            ("idprofesor", id_profesor[i])], 2))
    lineas.append("  </profesores>")

    lineas.append("  <aulas>")
    for i, (codigo, nombre, capacidad) in enumerate(AULAS):
        lineas.append(elemento("daula", [("codigo", codigo), ("nombre", nombre),
                                         ("capacidad_alumnos", capacidad),
                                         ("idaula", str(5021 + 3 * i))], 2))
    lineas.append("  </aulas>")

    lineas.append("  <grupos>")
    for codigo, nombre, nivel, curso, letra, _ in GRUPOS:
        lineas.append(elemento("dgrupo", [
            ("codigo", codigo), ("nombre", nombre), ("codigo_nivel", nivel), ("curso", curso),
            ("cgrupo", letra), ("idgrupo", id_grupo[codigo]),
            ("idcurso", id_curso[(nivel, curso)])], 2))
    lineas.append("  </grupos>")

    lineas.append("  <franjashorarias>")
    for dia in range(1, 6):
        for posicion, (inicio, final) in enumerate(PERIODOS, start=1):
            lineas.append(elemento("franjahoraria", [
                ("dia_semana", str(dia)), ("posicion", str(posicion)),
                ("hora_inicio", inicio), ("hora_final", final)], 2))
    lineas.append("  </franjashorarias>")

    # Rows grouped by group, in the order of the groups, as the school lists them.
    lineas.append("  <asignaturas>")
    for codigo, *_ in GRUPOS:
        for c in clases:
            for grupo, horas_texto, conexion in c.filas:
                if grupo == codigo:
                    lineas.append(elemento("dasignatura", [
                        ("cgrupo", id_grupo[grupo]), ("casig", id_materia[c.materia]),
                        ("cprofe", id_profesor[c.profesor]), ("conexion", conexion),
                        ("nhoras", horas_texto)], 2))
    lineas.append("  </asignaturas>")
    lineas.append("</centro>")
    return "\n".join(lineas) + "\n", clases, reparto.carga


def main():
    destino = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("centro.xml")
    texto, clases, carga = documento_xml()
    with open(destino, "w", encoding="utf-8", newline="\n") as salida:
        salida.write(texto)
    filas = sum(len(c.filas) for c in clases)
    print(f"{destino}: {len(PROFESORES)} profesores, {len(GRUPOS)} grupos, "
          f"{len(ACTIVIDADES) + len(MATERIAS)} materias, {len(AULAS)} aulas, "
          f"{5 * len(PERIODOS)} franjas, {filas} asignaturas; "
          f"carga {min(carga):g}-{max(carga):g} horas")


if __name__ == "__main__":
    main()
