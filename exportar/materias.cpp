// SPDX-License-Identifier: EUPL-1.2
// Subjects and activities into ASIGNOMT. Both kinds are `dmateria`
// elements; an activity is one whose code equals its activity code.

#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "trabajo/tablas.h"
#include "base/texto.h"

namespace thn {
namespace {

constexpr const char* kRuta = "/centro/materias/dmateria";

void OmitirMateria(ContextoExportacion& c, const ElementoLeido& e, const std::string& codigo_corto)
{
    c.informe.omisiones.push_back(
        {e.Nombre(), e.Posicion(), "codigo_ocupado", Donde(e) + " (código '" + std::string(e.Atributo("codigo")) + "', nombre '" + std::string(e.Atributo("nombre")) + "')",
         "omitida en ASIGNOMT: el código corto '" + DesdeAnsi(codigo_corto) + "' ya está en uso"});
}

void Convertir(ContextoExportacion& c, bool tareas)
{
    const auto& elementos = c.documento.Seleccionar(kRuta);
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaAsignomt());
    auto& codigos = c.registros.ListaCodigos;
    auto& nombres = c.registros.ListaNombres;
    std::size_t escritos = 0;

    for (const auto& e : elementos) {
        Lectura l(c, e);
        const std::string codigo = l.Ansi("codigo");
        const std::string nombre = l.Ansi("nombre");
        const std::string actividad = l.Ansi("codigo_actividad");
        if (!l.Utilizable() || (codigo == actividad) != tareas)
            continue;

        const std::string codigo10(PrimerosAnsi(codigo, 10));
        const bool ocupado = codigos.Contiene(codigo10);
        std::string candidato;
        if (!nombres.Contiene(nombre)) {
            nombres.Anadir(nombre);
            candidato = codigo.size() <= 10 ? codigo : codigo.substr(0, 8) + codigo.substr(codigo.size() - 2);
        } else {
            candidato = codigo10;
        }
        if (ocupado) {
            OmitirMateria(c, e, codigo10);
            continue;
        }
        if (codigos.Contiene(candidato)) {
            OmitirMateria(c, e, candidato);
            continue;
        }
        codigos.Anadir(candidato);
        const std::string id = l.Ansi("idmateria");
        if (!l.Utilizable())
            continue;
        l.CodigoCambiado(codigo, candidato, false, "ASIGNOMT.COD");

        tabla.Anadir();
        tabla.PonerTexto("COD", candidato);
        tabla.PonerTexto("CODLARGO", PrimerosAnsi(nombre, 10));
        tabla.PonerTexto("NOMBRE", nombre);
        tabla.PonerTexto("CODTAREA", tareas ? candidato : actividad);
        tabla.PonerLogico("ESTAREA", tareas);
        tabla.PonerTexto("IDASIG", id);
        tabla.Grabar();
        ++escritos;
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaAsignomt().nombre, escritos);
}

}  // namespace

void TransformarMaterias(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaAsignomt());
    Convertir(c, false);
}

void TransformarTareas(ContextoExportacion& c)
{
    Convertir(c, true);
}

}  // namespace thn
