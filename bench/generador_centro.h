// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Synthetic centre documents for benchmarks and tests.
//
// The document has the sections the export reads (materias, profesores, aulas,
// grupos, franjashorarias, asignaturas), every element with all its
// attributes, and the untidiness of real data: accented names, repeated codes
// (also differing only in letter case), codes over ten characters, rooms
// without a code or a capacity, hours with a decimal comma. About one subject
// in twenty is an activity (codigo equal to codigo_actividad). Every
// assignment names an existing group, subject and teacher, as long as those
// sections are not empty (otherwise that reference is the empty text).
//
// The output depends only on the parameters: the same parameters give the
// same bytes on every platform.

#include <cstdint>
#include <filesystem>
#include <string>

namespace thn::bench {

struct ParametrosCentro {
    // Element counts per section; negative counts are taken as 0.
    int profesores = 2000;
    int grupos = 1000;
    int materias = 3000;
    int aulas = 500;
    int franjas = 60;  // spread evenly over days 1 to 5, positions 1, 2, ... each day
    int asignaturas = 100000;
    std::uint32_t semilla = 1;
};

// The whole document, UTF-8, with its XML declaration.
std::string GenerarCentro(const ParametrosCentro& parametros);

// Writes GenerarCentro(parametros) to `ruta`, replacing the file.
// Fails with thn::Error when the file cannot be written.
void EscribirCentro(const ParametrosCentro& parametros, const std::filesystem::path& ruta);

}  // namespace thn::bench
