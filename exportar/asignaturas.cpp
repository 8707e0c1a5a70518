// SPDX-License-Identifier: EUPL-1.2
// Teaching assignments into ASIGT, linked to the short codes that the
// earlier conversions of the same export wrote.

#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "base/error.h"
#include "base/numeros.h"
#include "trabajo/tablas.h"
#include "base/texto.h"

#include <cfloat>
#include <cmath>

namespace thn {
namespace {

struct Sesiones {
    float horas;
    std::string patron;   // Windows-1252
};

// Weekly hours -> HORAS and the session pattern: one "1" per session (at
// most 13, the excess written in front as a number) and "½" for a half.
// A text that is no number is refused naming the element it came from.
Sesiones CalcularSesiones(const std::string& texto_horas, const std::string& donde)
{
    const std::string texto = DesdeAnsi(texto_horas);
    const auto fallo = [&] {
        return Error(Formatear("'%s' no es un valor punto flotante válido (%s, atributo nhoras)", {texto, donde}));
    };
    double leido = 0;
    try {
        leido = FlotanteConCualquierSeparador(texto);
    } catch (const Error&) {
        throw fallo();
    }
    // Beyond what a 32-bit float or the session count can hold there is no
    // sensible pattern: refuse it rather than write garbage.
    if (std::fabs(leido) > 2147483520.0)
        throw fallo();
    Sesiones s{static_cast<float>(leido), {}};
    if (s.horas == 0)
        s.horas = 1;
    auto n = static_cast<std::int64_t>(std::ceil(s.horas));
    if (n > 13) {
        s.patron = TextoDesdeEntero(n - 13);
        n = 13;
    }
    if (n > 0)
        s.patron.append(static_cast<std::size_t>(n), '1');
    if (s.horas != std::floor(s.horas))
        s.patron += '\xbd';
    return s;
}

}  // namespace

void TransformarAsignaturas(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaAsigt());
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaAsigt());
    auto& grupos = c.componentes.wwTableGrupos;
    auto& materias = c.componentes.wwTableNomAsg;
    auto& profesores = c.componentes.wwTableProfesor;
    grupos.Abrir(c.directorio);
    materias.Abrir(c.directorio);
    profesores.Abrir(c.directorio);

    const auto& elementos = c.documento.Seleccionar("/centro/asignaturas/dasignatura");
    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        std::string abrev_grupo, turno, nivel, curso, grupo, idcurso, cod, codtarea, abrev_prof;

        const std::string id_grupo = l.Ansi("cgrupo");
        auto& tg = grupos.Tabla();
        const bool hay_grupo = tg.Localizar("IDGRUPO", id_grupo);
        if (hay_grupo) {
            abrev_grupo = tg.LeerTexto("ABREV");
            turno = tg.LeerTexto("TURNO");
            nivel = tg.LeerTexto("NIVEL");
            curso = tg.LeerTexto("CURSO");
            grupo = tg.LeerTexto("GRUPO");
            idcurso = tg.LeerTexto("IDCURSO");
        }
        const std::string id_materia = l.Ansi("casig");
        auto& tm = materias.Tabla();
        const bool hay_materia = tm.Localizar("IDASIG", id_materia);
        if (hay_materia) {
            cod = tm.LeerTexto("COD");
            codtarea = tm.LeerTexto("CODTAREA");
        }
        const std::string id_prof = l.Ansi("cprofe");
        auto& tp = profesores.Tabla();
        const bool hay_prof = tp.Localizar("IDPROF", id_prof);
        if (hay_prof)
            abrev_prof = tp.LeerTexto("ABREV");
        const std::string conexion = l.Ansi("conexion");
        const std::string texto_horas = l.Ansi("nhoras");
        Sesiones sesiones{};
        l.Intentar("nhoras", "flotante_no_valido", [&] { sesiones = CalcularSesiones(texto_horas, Donde(e)); });
        if (!l.Utilizable())
            continue;

        if (cod.empty()) {
            c.informe.omisiones.push_back(
                {e.Nombre(), e.Posicion(), hay_materia ? "materia_sin_codigo" : "materia_inexistente",
                 Donde(e) + " (casig '" + DesdeAnsi(id_materia) + "', cgrupo '" + DesdeAnsi(id_grupo)
                     + "', cprofe '" + DesdeAnsi(id_prof) + "')",
                 hay_materia ? "omitida en ASIGT: la materia de ASIGNOMT con ese identificador tiene el código vacío"
                             : "omitida en ASIGT: ninguna materia de ASIGNOMT tiene ese identificador"});
            continue;
        }
        if (!hay_grupo)
            c.informe.avisos.push_back({e.Nombre(), e.Posicion(), "grupo_inexistente", Donde(e),
                                       "ningún grupo de GRUPOST tiene el identificador '"
                                                      + DesdeAnsi(id_grupo) + "'; CGRUP queda vacío"});
        if (!hay_prof)
            c.informe.avisos.push_back({e.Nombre(), e.Posicion(), "profesor_inexistente", Donde(e),
                                       "ningún profesor de PROFT tiene el identificador '"
                                                      + DesdeAnsi(id_prof) + "'; CPROF queda vacío"});

        tabla.Anadir();
        tabla.PonerTexto("CASIG", cod);
        tabla.PonerTexto("CPROF", abrev_prof);
        tabla.PonerTexto("CGRUP", abrev_grupo);
        tabla.PonerTexto("CAULA", "");
        tabla.PonerTexto("TURNO", turno);
        tabla.PonerTexto("NIVEL", nivel);
        tabla.PonerTexto("CURSO", curso);
        tabla.PonerTexto("GRUPO", grupo);
        tabla.PonerFlotante("HORAS", sesiones.horas);
        tabla.PonerTexto("SESIONES", sesiones.patron);
        tabla.PonerTexto("CTAREA", codtarea);
        tabla.PonerTexto("NCONEX", conexion);
        tabla.PonerTexto("IDCURSO", idcurso);
        tabla.PonerTexto("IDGRUP", id_grupo);
        tabla.PonerTexto("IDASIG", id_materia);
        tabla.PonerTexto("IDPROF", id_prof);
        tabla.Grabar();
        ++escritos;
    }
    tabla.Cerrar();
    grupos.Cerrar();
    materias.Cerrar();
    profesores.Cerrar();
    AnotarRecuento(c.informe, TablaAsigt().nombre, escritos);
}

}  // namespace thn
