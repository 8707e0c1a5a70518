// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Checking Horalia's solution before importing it.

#include "resultado/comprobacion.h"

#include <filesystem>

namespace thn {

// Reads what Importar would read (the document's root, SOLUC and the tables
// it is translated through) and reports every problem that would stop the
// import, the records it would leave out, the look-ups that would find
// nothing, a SOLUC older than the tables it is read with, and tables whose
// header disagrees with the file's length. Writes nothing. A missing
// document or SOLUC.DBF gives FaltaEntrada.
Comprobacion ComprobarSolucion(const std::filesystem::path& documento, const std::filesystem::path& directorio);

}  // namespace thn
