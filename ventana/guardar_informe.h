// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Saving the report of a completed action, as the report dialog's
// "Guardar..." does in every window.

#include <filesystem>
#include <string_view>

namespace thn::ventana {

// Writes `informe` (UTF-8) whole or not at all: an earlier report is
// replaced only by a complete one. Fails with "No se pudo guardar el
// informe." and, as its detail, the path and the system's reason.
void GuardarInforme(const std::filesystem::path& ruta, std::string_view informe);

}  // namespace thn::ventana
