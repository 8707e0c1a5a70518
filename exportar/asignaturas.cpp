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
#include <unordered_map>

namespace thn {
namespace {

struct Sesiones {
    float horas;
    std::string patron;   // Windows-1252
};

// Weekly hours -> HORAS and the session pattern: one "1" per session (at
// most 13, the excess written in front as a number) and "½" for a half.
// A text that is no number is refused naming the element it came from.
Sesiones CalcularSesiones(const std::string& texto_horas, const ElementoLeido& e)
{
    const std::string texto = DesdeAnsi(texto_horas);
    const auto fallo = [&] {
        return Error(Formatear("'%s' no es un valor punto flotante válido (%s, atributo nhoras)", {texto, Donde(e)}));
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

// The sessions of each weekly-hours text met so far: a centre writes the
// same few texts ("2", "3", "1,5") over thousands of assignments.
class SesionesVistas {
public:
    const Sesiones& De(const std::string& texto_horas, const ElementoLeido& e)
    {
        if (const auto it = vistas_.find(texto_horas); it != vistas_.end())
            return it->second;
        Sesiones s = CalcularSesiones(texto_horas, e);
        if (vistas_.size() >= kMaximo) {
            ultima_ = std::move(s);
            return ultima_;
        }
        return vistas_.emplace(texto_horas, std::move(s)).first->second;
    }

private:
    static constexpr std::size_t kMaximo = 256;  // a document of all different texts is not held whole
    std::unordered_map<std::string, Sesiones> vistas_;
    Sesiones ultima_{};
};

// The fields of GRUPOST, ASIGNOMT and PROFT that the assignments read, and
// those of ASIGT that they write, each found once.
struct CamposGrupo {
    explicit CamposGrupo(const dbf::Tabla& t)
        : idgrupo(t.Campo("IDGRUPO")), abrev(t.Campo("ABREV")), turno(t.Campo("TURNO")), nivel(t.Campo("NIVEL")),
          curso(t.Campo("CURSO")), grupo(t.Campo("GRUPO")), idcurso(t.Campo("IDCURSO"))
    {
    }
    dbf::Columna idgrupo, abrev, turno, nivel, curso, grupo, idcurso;
};

// The GRUPOST record of one group identifier, looked up again only when the
// identifier changes: a centre lists its assignments group by group.
class GrupoLeido {
public:
    explicit GrupoLeido(dbf::Tabla& t) : t_(t), c_(t) {}

    void Buscar(const std::string& id)
    {
        if (leido_ && id == id_)
            return;
        id_ = id;
        leido_ = true;
        hay = t_.Localizar(c_.idgrupo, id);
        abrev = hay ? t_.LeerTexto(c_.abrev) : "";
        turno = hay ? t_.LeerTexto(c_.turno) : "";
        nivel = hay ? t_.LeerTexto(c_.nivel) : "";
        curso = hay ? t_.LeerTexto(c_.curso) : "";
        grupo = hay ? t_.LeerTexto(c_.grupo) : "";
        idcurso = hay ? t_.LeerTexto(c_.idcurso) : "";
    }

    bool hay = false;
    std::string abrev, turno, nivel, curso, grupo, idcurso;

private:
    dbf::Tabla& t_;
    const CamposGrupo c_;
    std::string id_;
    bool leido_ = false;
};

struct CamposAsigt {
    explicit CamposAsigt(const dbf::Tabla& t)
        : casig(t.Campo("CASIG")), cprof(t.Campo("CPROF")), cgrup(t.Campo("CGRUP")), caula(t.Campo("CAULA")),
          turno(t.Campo("TURNO")), nivel(t.Campo("NIVEL")), curso(t.Campo("CURSO")), grupo(t.Campo("GRUPO")),
          horas(t.Campo("HORAS")), sesiones(t.Campo("SESIONES")), ctarea(t.Campo("CTAREA")),
          nconex(t.Campo("NCONEX")), idcurso(t.Campo("IDCURSO")), idgrup(t.Campo("IDGRUP")),
          idasig(t.Campo("IDASIG")), idprof(t.Campo("IDPROF"))
    {
    }
    dbf::Columna casig, cprof, cgrup, caula, turno, nivel, curso, grupo, horas, sesiones, ctarea, nconex, idcurso,
        idgrup, idasig, idprof;
};

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
    auto& tg = grupos.Tabla();
    auto& tm = materias.Tabla();
    auto& tp = profesores.Tabla();
    GrupoLeido g(tg);
    SesionesVistas vistas;
    const dbf::Columna m_idasig = tm.Campo("IDASIG"), m_cod = tm.Campo("COD"), m_codtarea = tm.Campo("CODTAREA");
    const dbf::Columna p_idprof = tp.Campo("IDPROF"), p_abrev = tp.Campo("ABREV");
    const CamposAsigt a(tabla);

    const auto& elementos = c.documento.Seleccionar("/centro/asignaturas/dasignatura");
    tabla.Reservar(elementos.size());
    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        std::string cod, codtarea, abrev_prof;

        const std::string id_grupo = l.Ansi("cgrupo");
        g.Buscar(id_grupo);
        const bool hay_grupo = g.hay;
        const std::string id_materia = l.Ansi("casig");
        const bool hay_materia = tm.Localizar(m_idasig, id_materia);
        if (hay_materia) {
            cod = tm.LeerTexto(m_cod);
            codtarea = tm.LeerTexto(m_codtarea);
        }
        const std::string id_prof = l.Ansi("cprofe");
        const bool hay_prof = tp.Localizar(p_idprof, id_prof);
        if (hay_prof)
            abrev_prof = tp.LeerTexto(p_abrev);
        const std::string conexion = l.Ansi("conexion");
        const std::string texto_horas = l.Ansi("nhoras");
        Sesiones sesiones{};
        l.Intentar("nhoras", "flotante_no_valido", [&] { sesiones = vistas.De(texto_horas, e); });
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
        tabla.PonerTexto(a.casig, cod);
        tabla.PonerTexto(a.cprof, abrev_prof);
        tabla.PonerTexto(a.cgrup, g.abrev);
        tabla.PonerTexto(a.caula, "");
        tabla.PonerTexto(a.turno, g.turno);
        tabla.PonerTexto(a.nivel, g.nivel);
        tabla.PonerTexto(a.curso, g.curso);
        tabla.PonerTexto(a.grupo, g.grupo);
        tabla.PonerFlotante(a.horas, sesiones.horas);
        tabla.PonerTexto(a.sesiones, sesiones.patron);
        tabla.PonerTexto(a.ctarea, codtarea);
        tabla.PonerTexto(a.nconex, conexion);
        tabla.PonerTexto(a.idcurso, g.idcurso);
        tabla.PonerTexto(a.idgrup, id_grupo);
        tabla.PonerTexto(a.idasig, id_materia);
        tabla.PonerTexto(a.idprof, id_prof);
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
