// SPDX-License-Identifier: EUPL-1.2
// Teaching assignments into ASIGT, linked to the short codes that the
// earlier conversions of the same export wrote.

#include "exportar/conversiones.h"
#include "exportar/lectura.h"
#include "exportar/por_piezas.h"

#include "base/error.h"
#include "dbf/registros_aparte.h"
#include "base/numeros.h"
#include "trabajo/tablas.h"
#include "base/texto.h"

#include <cfloat>
#include <chrono>
#include <cstdio>
#include <cmath>
#include <algorithm>
#include <iterator>
#include <thread>
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

// What an assignment takes from a table written earlier in this export,
// by the identifier it gives. The table is read once into a map that the
// threads converting the section share, read only; the table itself, its
// current record and its index, stays with this one. As with Localizar,
// the first record of an identifier counts.
template <class Valores>
class Referidos {
public:
    template <class Leer>
    Referidos(dbf::Tabla& t, const char* campo_id, Leer leer)
    {
        const dbf::Columna id = t.Campo(campo_id);
        por_id_.reserve(t.NumeroRegistros());
        for (t.Primero(); !t.Fin(); t.Siguiente())
            if (std::string clave = t.LeerTexto(id); !por_id_.contains(clave))
                por_id_.emplace(std::move(clave), leer(t));
    }

    // Null when no record has it.
    const Valores* Buscar(const std::string& id) const
    {
        const auto it = por_id_.find(id);
        return it == por_id_.end() ? nullptr : &it->second;
    }

private:
    std::unordered_map<std::string, Valores> por_id_;
};

struct Grupo {
    std::string abrev, turno, nivel, curso, grupo, idcurso;
};
struct Materia {
    std::string cod, codtarea;
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

// What the assignments read of the tables written before them, and the
// fields of ASIGT they write.
struct Referencias {
    Referidos<Grupo> grupos;
    Referidos<Materia> materias;
    Referidos<std::string> profesores;
    CamposAsigt a;
};

// One assignment into a record begun in `t` (a table or records made apart)
// and filled; false, with nothing begun, when it is left out. Its notes go
// to `notas`, and nothing else is touched but `vistas`: in an export, pieces
// of the section are converted on two threads.
template <class Destino>
bool Asignacion(ContextoExportacion& c, const Referencias& r, SesionesVistas& vistas, const ElementoLeido& e,
                Destino& t, Informe& notas)
{
    Lectura l(c, e);
    const std::string id_grupo = l.Ansi("cgrupo");
    const Grupo* grupo = r.grupos.Buscar(id_grupo);
    const std::string id_materia = l.Ansi("casig");
    const Materia* materia = r.materias.Buscar(id_materia);
    const std::string id_prof = l.Ansi("cprofe");
    const std::string* abrev_prof = r.profesores.Buscar(id_prof);
    const std::string conexion = l.Ansi("conexion");
    const std::string texto_horas = l.Ansi("nhoras");
    Sesiones sesiones{};
    l.Intentar("nhoras", "flotante_no_valido", [&] { sesiones = vistas.De(texto_horas, e); });
    if (!l.Utilizable())
        return false;

    if (!materia || materia->cod.empty()) {
        notas.omisiones.push_back(
            {e.Nombre(), e.Posicion(), materia ? "materia_sin_codigo" : "materia_inexistente",
             Donde(e) + " (casig '" + DesdeAnsi(id_materia) + "', cgrupo '" + DesdeAnsi(id_grupo) + "', cprofe '"
                 + DesdeAnsi(id_prof) + "')",
             materia ? "omitida en ASIGT: la materia de ASIGNOMT con ese identificador tiene el código vacío"
                     : "omitida en ASIGT: ninguna materia de ASIGNOMT tiene ese identificador"});
        return false;
    }
    if (!grupo)
        notas.avisos.push_back({e.Nombre(), e.Posicion(), "grupo_inexistente", Donde(e),
                                "ningún grupo de GRUPOST tiene el identificador '" + DesdeAnsi(id_grupo)
                                    + "'; CGRUP queda vacío"});
    if (!abrev_prof)
        notas.avisos.push_back({e.Nombre(), e.Posicion(), "profesor_inexistente", Donde(e),
                                "ningún profesor de PROFT tiene el identificador '" + DesdeAnsi(id_prof)
                                    + "'; CPROF queda vacío"});

    const Grupo sin_grupo;
    const Grupo& g = grupo ? *grupo : sin_grupo;
    const CamposAsigt& a = r.a;
    t.Anadir();
    t.PonerTexto(a.casig, materia->cod);
    t.PonerTexto(a.cprof, abrev_prof ? std::string_view(*abrev_prof) : std::string_view());
    t.PonerTexto(a.cgrup, g.abrev);
    t.PonerTexto(a.caula, "");
    t.PonerTexto(a.turno, g.turno);
    t.PonerTexto(a.nivel, g.nivel);
    t.PonerTexto(a.curso, g.curso);
    t.PonerTexto(a.grupo, g.grupo);
    t.PonerFlotante(a.horas, sesiones.horas);
    t.PonerTexto(a.sesiones, sesiones.patron);
    t.PonerTexto(a.ctarea, materia->codtarea);
    t.PonerTexto(a.nconex, conexion);
    t.PonerTexto(a.idcurso, g.idcurso);
    t.PonerTexto(a.idgrup, id_grupo);
    t.PonerTexto(a.idasig, id_materia);
    t.PonerTexto(a.idprof, id_prof);
    return true;
}

// A piece of the section, converted apart.
struct Pieza {
    dbf::RegistrosAparte registros;
    Informe notas;  // its omissions and warnings
    SesionesVistas vistas;
};

constexpr std::size_t kPorPieza = 1024;

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
    const Referencias r{
        {grupos.Tabla(), "IDGRUPO",
         [](const dbf::Tabla& t) {
             return Grupo{t.LeerTexto("ABREV"), t.LeerTexto("TURNO"), t.LeerTexto("NIVEL"),
                          t.LeerTexto("CURSO"), t.LeerTexto("GRUPO"), t.LeerTexto("IDCURSO")};
         }},
        {materias.Tabla(), "IDASIG", [](const dbf::Tabla& t) { return Materia{t.LeerTexto("COD"), t.LeerTexto("CODTAREA")}; }},
        {profesores.Tabla(), "IDPROF", [](const dbf::Tabla& t) { return t.LeerTexto("ABREV"); }},
        CamposAsigt(tabla)};

    const auto& elementos = c.documento.Seleccionar("/centro/asignaturas/dasignatura");
    tabla.Reservar(elementos.size());
    std::size_t escritos = 0;
    if (c.revision) {
        // A check notes what each element's record cuts as it is written: one by one.
        SesionesVistas vistas;
        for (const auto& e : elementos)
            if (Asignacion(c, r, vistas, e, tabla, c.informe)) {
                tabla.Grabar();
                ++escritos;
            }
    } else {
        PorPiezas(
            (elementos.size() + kPorPieza - 1) / kPorPieza, std::thread::hardware_concurrency() > 1,
            [&] { return Pieza{dbf::RegistrosAparte(tabla), {}, {}}; },
            [&](std::size_t i, Pieza& p) {
                p.registros.Vaciar();
                p.notas.omisiones.clear();
                p.notas.avisos.clear();
                for (const auto& e : elementos.subspan(i * kPorPieza, std::min(kPorPieza, elementos.size() - i * kPorPieza)))
                    Asignacion(c, r, p.vistas, e, p.registros, p.notas);
            },
            [&](Pieza& p) {
                tabla.AnadirHechos(p.registros);
                escritos += p.registros.Cuantos();
                auto pasar = [](std::vector<Omision>& de, std::vector<Omision>& a) {
                    a.insert(a.end(), std::make_move_iterator(de.begin()), std::make_move_iterator(de.end()));
                };
                pasar(p.notas.omisiones, c.informe.omisiones);
                pasar(p.notas.avisos, c.informe.avisos);
            });
    }
    tabla.Cerrar();
    grupos.Cerrar();
    materias.Cerrar();
    profesores.Cerrar();
    AnotarRecuento(c.informe, TablaAsigt().nombre, escritos);
}

}  // namespace thn
