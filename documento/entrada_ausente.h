// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Why an input file is not there, said so that the user can find it.

#include <filesystem>
#include <optional>
#include <string>

namespace thn {

// nullopt when a regular file is at `ruta`; otherwise the line that tells the
// user what was tried: no path chosen, a directory, or nothing there.
std::optional<std::string> ArchivoAusente(const std::filesystem::path& ruta);

}  // namespace thn
