// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Writing one value of an INI file the way the host reads it back: section
// and key names match without regard to ASCII case, the first match wins, and
// every other byte of the file stays as it was.

#include <filesystem>
#include <string>
#include <string_view>

namespace thn::ventana {

// `contenido` with the value of `clave` in `seccion` replaced; when the key is
// absent it is added after the section's last line, when the section is absent
// it is added at the end. New lines use the file's own line ending.
std::string ConValorIni(std::string_view contenido, std::string_view seccion, std::string_view clave,
                        std::string_view valor);

// Applies ConValorIni to the file (an absent file counts as empty) and
// replaces it atomically: a failed write leaves the old file whole. Fails with
// "Unable to write to <fichero>".
void EscribirValorIni(const std::filesystem::path& fichero, std::string_view seccion, std::string_view clave,
                      std::string_view valor);

}  // namespace thn::ventana
