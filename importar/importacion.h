// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The import: Horalia's solution table SOLUC into a new centre document
// "ResultadoHoralia<name>.xml" beside the chosen one.

#include "trabajo/componentes_tabla.h"
#include "resultado/informe.h"
#include "importar/reloj.h"

#include <filesystem>
#include <optional>
#include <string>

namespace thn {

// The result's path: the document's directory, "ResultadoHoralia", its file name.
std::filesystem::path RutaResultado(const std::filesystem::path& documento);

// nullopt when both the document and SOLUC.DBF are there; otherwise the
// line that says which is missing, as ArchivoAusente words it.
std::optional<std::string> EntradaAusente(const std::filesystem::path& documento,
                                          const std::filesystem::path& directorio);

// A missing document or SOLUC.DBF gives FaltaEntrada and touches nothing.
// Any other failure throws thn::Error; nothing is saved and every table
// opened so far is closed.
ResultadoAccion Importar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         ComponentesTabla& componentes, char separador, const Reloj& reloj);

}  // namespace thn
