// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The export: a centre document into Horalia's working tables.

#include "exportar/registros_codigos.h"
#include "trabajo/componentes_tabla.h"
#include "resultado/informe.h"

#include <filesystem>

namespace thn {

// Loads the document once and runs the seven conversions in order, into a
// staging folder; the new tables replace the old ones only when all seven
// have finished. A missing document gives FaltaEntrada; any other failure
// throws thn::Error, whose last line says whether the tables changed: as a
// rule the working directory is left as it was; when even putting it back
// fails, the line says that the next action will settle it. Every table is closed on every
// path, and the directory is held against other actions throughout.
ResultadoAccion Exportar(const std::filesystem::path& documento, const std::filesystem::path& directorio,
                         RegistrosCodigos& registros, ComponentesTabla& componentes);

}  // namespace thn
