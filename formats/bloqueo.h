// SPDX-License-Identifier: EUPL-1.2
#pragma once

#include <filesystem>

namespace thn {

// True while another table object or program holds the file open under a
// lock. Unix lets a locked file be deleted; Horalia's tables must not be.
bool BloqueadaPorOtro(const std::filesystem::path& ruta);

}  // namespace thn
