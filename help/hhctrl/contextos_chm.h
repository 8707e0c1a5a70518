// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The context map of a compiled help file: context numbers to topics.

#include "help/hhctrl/archivo_chm.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::chm {

// The name that /#IVB gives the context, looked up in /#STRINGS.
std::optional<std::string> NombreDeContexto(std::string_view ivb, std::string_view cadenas, std::uint32_t contexto);

// The paths a mapped name may have in the archive, longest first.
// Compilers store the build folder's absolute path ("/home/dev/help/x.htm"),
// so leading folders are dropped one by one, down to "/x.htm".
std::vector<std::string> CandidatosRuta(std::string_view nombre);

// The stored path of the context's topic; none when it is not mapped or its
// topic is not in the file.
std::optional<std::string> TemaDeContexto(const ArchivoChm& archivo, std::uint32_t contexto);

}  // namespace thn::chm
