// SPDX-License-Identifier: EUPL-1.2
// Teaching assignments into ASIGT, linked to the short codes that the
// earlier conversions of the same export wrote.

#include "exportar/conversiones.h"
#include "exportar/lectura.h"
#include "exportar/por_piezas.h"
#include "exportar/referidos.h"

#include "base/error.h"
#include "base/numeros.h"
#include "base/texto.h"
#include "dbf/registros_aparte.h"
#include "trabajo/tablas.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <iterator>
#include <thread>
#include <unordered_map>
#include <vector>

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
    Referidos grupos;      // ABREV TURNO NIVEL CURSO GRUPO IDCURSO
    Referidos materias;    // COD CODTAREA
    Referidos profesores;  // ABREV
    CamposAsigt a;
};

// An assignment's values as the document gives them.
struct Leida {
    // The document's texts, or conversions kept below.
    std::string_view id_grupo, id_materia, id_prof, conexion;
    std::string almacen[4];
    Sesiones sesiones;
};

constexpr const char* kRuta = "/centro/asignaturas/dasignatura";

// The places of the attributes read among those the document kept: found
// once, not by name for every assignment.
struct Lugares {
    explicit Lugares(const CentroLeido& d)
        : cgrupo(d.Lugar(kRuta, "cgrupo")), casig(d.Lugar(kRuta, "casig")), cprofe(d.Lugar(kRuta, "cprofe")),
          conexion(d.Lugar(kRuta, "conexion"))
    {
    }
    std::size_t cgrupo, casig, cprofe, conexion;
};

// Reads `e` into `d`; false when it is left out for a problem noted (in a check).
bool Leer(Lectura& l, const Lugares& lugares, SesionesVistas& vistas, const ElementoLeido& e, Leida& d)
{
    d.id_grupo = l.AnsiEn("cgrupo", lugares.cgrupo, d.almacen[0]);
    d.id_materia = l.AnsiEn("casig", lugares.casig, d.almacen[1]);
    d.id_prof = l.AnsiEn("cprofe", lugares.cprofe, d.almacen[2]);
    d.conexion = l.AnsiEn("conexion", lugares.conexion, d.almacen[3]);
    const std::string texto_horas = l.Ansi("nhoras");
    l.Intentar("nhoras", "flotante_no_valido", [&] { d.sesiones = vistas.De(texto_horas, e); });
    return l.Utilizable();
}

// The record of an assignment read, begun in `t` (a table or records made
// apart) and filled; false, with nothing begun, when it is left out. Its
// notes go to `notas`, and nothing else is touched: in an export, pieces
// of the section are converted on two threads.
template <class Destino>
bool Escribir(const Referencias& r, const ElementoLeido& e, const Leida& d, Destino& t, Informe& notas)
{
    const unsigned char* grupo = r.grupos.Buscar(d.id_grupo);
    const unsigned char* materia = r.materias.Buscar(d.id_materia);
    const unsigned char* prof = r.profesores.Buscar(d.id_prof);
    const std::string_view cod = materia ? r.materias.Valores(materia)[0] : std::string_view();
    if (cod.empty()) {
        notas.omisiones.push_back(
            {e.Nombre(), e.Posicion(), materia ? "materia_sin_codigo" : "materia_inexistente",
             Donde(e) + " (casig '" + DesdeAnsi(d.id_materia) + "', cgrupo '" + DesdeAnsi(d.id_grupo)
                 + "', cprofe '" + DesdeAnsi(d.id_prof) + "')",
             materia ? "omitida en ASIGT: la materia de ASIGNOMT con ese identificador tiene el código vacío"
                     : "omitida en ASIGT: ninguna materia de ASIGNOMT tiene ese identificador"});
        return false;
    }
    if (!grupo)
        notas.avisos.push_back({e.Nombre(), e.Posicion(), "grupo_inexistente", Donde(e),
                                "ningún grupo de GRUPOST tiene el identificador '" + DesdeAnsi(d.id_grupo)
                                    + "'; CGRUP queda vacío"});
    if (!prof)
        notas.avisos.push_back({e.Nombre(), e.Posicion(), "profesor_inexistente", Donde(e),
                                "ningún profesor de PROFT tiene el identificador '" + DesdeAnsi(d.id_prof)
                                    + "'; CPROF queda vacío"});

    const auto g = [&](std::size_t k) { return grupo ? r.grupos.Valores(grupo)[k] : std::string_view(); };
    const CamposAsigt& a = r.a;
    t.Anadir();
    t.PonerTexto(a.casig, cod);
    t.PonerTexto(a.cprof, prof ? r.profesores.Valores(prof)[0] : std::string_view());
    t.PonerTexto(a.cgrup, g(0));
    t.PonerTexto(a.caula, "");
    t.PonerTexto(a.turno, g(1));
    t.PonerTexto(a.nivel, g(2));
    t.PonerTexto(a.curso, g(3));
    t.PonerTexto(a.grupo, g(4));
    t.PonerFlotante(a.horas, d.sesiones.horas);
    t.PonerTexto(a.sesiones, d.sesiones.patron);
    t.PonerTexto(a.ctarea, r.materias.Valores(materia)[1]);
    t.PonerTexto(a.nconex, d.conexion);
    t.PonerTexto(a.idcurso, g(5));
    t.PonerTexto(a.idgrup, d.id_grupo);
    t.PonerTexto(a.idasig, d.id_materia);
    t.PonerTexto(a.idprof, d.id_prof);
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
    const Referencias r{Referidos(grupos.Tabla(), "IDGRUPO", {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "IDCURSO"}),
                        Referidos(materias.Tabla(), "IDASIG", {"COD", "CODTAREA"}),
                        Referidos(profesores.Tabla(), "IDPROF", {"ABREV"}), CamposAsigt(tabla)};

    const auto& elementos = c.documento.Seleccionar(kRuta);
    const Lugares lugares(c.documento);
    tabla.Reservar(elementos.size());
    std::size_t escritos = 0;
    if (c.revision) {
        // A check notes what each element's record cuts as it is written: one by one.
        SesionesVistas vistas;
        Leida d;
        for (const auto& e : elementos) {
            Lectura l(c, e);
            if (Leer(l, lugares, vistas, e, d) && Escribir(r, e, d, tabla, c.informe)) {
                tabla.Grabar();
                ++escritos;
            }
        }
    } else {
        PorPiezas(
            (elementos.size() + kPorPieza - 1) / kPorPieza, std::thread::hardware_concurrency() > 1,
            [&] { return Pieza{dbf::RegistrosAparte(tabla), {}, {}}; },
            [&](std::size_t i, Pieza& p) {
                p.registros.Vaciar();
                p.notas.omisiones.clear();
                p.notas.avisos.clear();
                const auto pieza = elementos.subspan(i * kPorPieza, std::min(kPorPieza, elementos.size() - i * kPorPieza));
                Leida d;
                for (const auto& e : pieza) {
                    Lectura l(c, e);
                    // In an export a problem of the document throws: what is read is usable.
                    Leer(l, lugares, p.vistas, e, d);
                    Escribir(r, e, d, p.registros, p.notas);
                }
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
