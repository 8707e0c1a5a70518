// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Bytes a table holds past the records its header announces: readers never
// see them, so they are data left out.

#include "resultado/informe.h"

#include <filesystem>
#include <string>

namespace thn {

// Adds to `informe.omisiones` (code "cabecera_no_coincide") what the table at
// `ruta` holds past its header's records: any bytes at all, or with
// `solo_registros` only whole records.
void AnotarSobrantes(const std::string& tabla, const std::filesystem::path& ruta, bool solo_registros,
                     Informe& informe);

}  // namespace thn
