// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What an action did: records written per table and every piece of data left
// out, with its reason. Left-out data is never silent.

#include <cstddef>
#include <string>
#include <vector>

namespace thn {

struct Recuento {
    std::string tabla;       // "ASIGNOMT", "dsolucion"...
    std::size_t registros = 0;
};

struct Omision {
    std::string donde;       // "materias/dmateria número 3", "SOLUC registro 12"
    std::string motivo;      // Spanish sentence, UTF-8
};

struct Informe {
    std::vector<Recuento> recuentos;
    std::vector<Omision> omisiones;  // left out entirely
    std::vector<Omision> avisos;     // written, but a look-up found nothing

    bool HayDatosOmitidos() const { return !omisiones.empty() || !avisos.empty(); }
};

// How an action of either direction ended when it did not throw.
enum class Desenlace { Completado, FaltaEntrada };

struct ResultadoAccion {
    Desenlace desenlace = Desenlace::Completado;
    Informe informe;
};

// Spanish text of the report, one line per item (UTF-8).
std::string TextoInforme(const Informe& informe);
// The same as a JSON object.
std::string JsonInforme(const Informe& informe);

}  // namespace thn
