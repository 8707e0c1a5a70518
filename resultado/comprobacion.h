// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What a check finds before anything is written: every problem that would
// stop the action, what it would leave out or change, and the counts it
// would write.

#include "resultado/informe.h"

#include <cstddef>
#include <string>
#include <vector>

namespace thn {

// A problem that would stop the action.
struct Problema {
    std::string elemento;   // "profesor", "SOLUC", "documento"
    std::size_t posicion;   // 1-based among its kind, or the record; 0 when none
    std::string codigo;     // stable for scripts: "falta_atributo", "entero_no_valido"...
    std::string donde;      // "profesor número 3, atributo documento", "SOLUC registro 7"
    std::string motivo;     // the message the action would stop with
    std::string atributo;   // the attribute or field; empty when none
    std::size_t linea = 0;  // line of the document; 0 when unknown
};

struct Comprobacion {
    enum class Accion { Exportacion, Importacion };
    Accion accion = Accion::Exportacion;  // what is checked
    Desenlace desenlace = Desenlace::Completado;
    std::string detalle;                // FaltaEntrada: the file that was not there, and why
    Informe informe;                    // counts, left out, look-ups that found nothing
    std::vector<Omision> cambios;       // export: written otherwise than the document has it;
                                        // import: what is amiss in the tables it reads
    std::vector<Problema> problemas;
    bool exportacion_a_medias = false;  // import: an export left unfinished, which the import will complete first

    bool Falla() const { return !problemas.empty(); }
    bool HayQueSenalar() const { return Falla() || informe.HayDatosOmitidos() || !cambios.empty(); }
};

// The line a reading error names ("… (línea 12: …)"), or 0.
std::size_t LineaDelMensaje(const std::string& mensaje);

// The Spanish report of a check (UTF-8).
std::string TextoComprobacion(const Comprobacion& c);
// One line: what the action would do, for the message of the check.
std::string ResumenComprobacion(const Comprobacion& c);

}  // namespace thn
