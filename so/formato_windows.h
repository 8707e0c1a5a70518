// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Windows writes date and time formats as pictures ("dd/MM/yyyy", "H:mm:ss");
// the import formats with strftime. Plain text, so testable anywhere.

#include <string>
#include <string_view>

namespace thn::so {

// The strftime format of a Windows date or time picture: d dd ddd dddd,
// M MM MMM MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt, 'literal' text.
// One-letter forms drop the leading zero with the '#' flag of Windows'
// strftime. Eras (g) are left out.
std::string StrftimeDesdeWindows(std::string_view imagen);

}  // namespace thn::so
