// SPDX-License-Identifier: EUPL-1.2
#pragma once
// resultado/: what an action did and what a check found, as models and text.
// What an action did: records written per table and every piece of data left
// out, with its reason. Left-out data is never silent.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace thn {

struct Recuento {
    std::string tabla;       // "ASIGNOMT", "dsolucion"...
    std::size_t registros = 0;
};

struct Omision {
    std::string elemento;    // "dmateria", "SOLUC"
    std::size_t posicion;    // 1-based: among the elements of its path, or the record of its table
    std::string codigo;      // the reason, stable for scripts: "codigo_ocupado", "sin_dia"...
    std::string donde;       // "dmateria número 3 (código 'MAT', ...)", "SOLUC registro 12"
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
    std::string detalle;              // FaltaEntrada: the file that was not there, and why
    std::filesystem::path resultado;  // the document the import wrote
    Informe informe;
    // An export or a restore: where the tables it replaced were kept (empty
    // when there were none), or why they could not be.
    std::filesystem::path anteriores;
    std::string aviso_anteriores;
};

// Spanish text of the report, one line per item (UTF-8).
std::string TextoInforme(const Informe& informe);
// "Título (n):" and one indented line per item; empty for an empty list.
std::string TextoOmisiones(const std::string& titulo, const std::vector<Omision>& lista);

// One line with the counts of what was left out, for the completion box:
// "Se han dejado fuera 3 elementos y 1 búsqueda no encontró nada; vea los detalles."
// Empty when nothing was.
std::string ResumenOmisiones(const Informe& informe);

// For the completion of an export or a restore: where the tables it
// replaced were kept and how to put them back, or why they could not be
// kept. Empty when it replaced none.
std::string TextoAnteriores(const ResultadoAccion& resultado);

// Where the report is saved by default: beside the centre document,
// "<name>-informe.txt".
std::filesystem::path RutaInforme(const std::filesystem::path& documento);

}  // namespace thn
