// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Checking a centre document before exporting it.

#include "resultado/comprobacion.h"

#include <filesystem>

namespace thn {

// Runs the whole export as Exportar would, into a folder of its own that is
// always removed, and reports every problem that would stop it (carrying on
// past each one, the element left out), what it would leave out or change,
// and the records it would write. Horalia's working directory is neither
// needed nor read. A missing document gives FaltaEntrada; Error only for a
// failure of the check itself (its folder cannot be made, say).
Comprobacion ComprobarDocumento(const std::filesystem::path& documento);

}  // namespace thn
