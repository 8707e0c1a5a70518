// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Where the host reads the outcome: "Horalia.ini" beside the program.

#include <filesystem>
#include <string_view>

namespace thn::ventana {

// The directory of parameter 0 as the host gave it, so that a link placed
// beside the host's own program counts as that directory; a bare name falls
// back to `directorio_programa`, the program's real directory. An existing
// file of the name in another letter case (written under Wine) is the one used.
std::filesystem::path RutaIniAnfitrion(std::string_view parametro0, const std::filesystem::path& directorio_programa);

// "Horalia.ini" in `directorio`, in the letter case found there.
std::filesystem::path RutaIniEn(const std::filesystem::path& directorio);

}  // namespace thn::ventana
