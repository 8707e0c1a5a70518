// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The export: a centre document into Horalia's working tables.

#include "exportar/registros_codigos.h"
#include "formats/componentes_tabla.h"
#include "formats/informe.h"

#include <filesystem>

namespace thn {

// Loads the document once and runs the seven conversions in order. A missing
// document gives FaltaEntrada and touches nothing; any other failure throws
// thn::Error, leaving the tables of finished conversions with their new
// content, the failing one with the records posted before the error, and
// the later ones as they were. Every table is closed on every path.
ResultadoAccion Exportar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         RegistrosCodigos& registros, ComponentesTabla& componentes, char separador);

}  // namespace thn
