// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Texts of a compiled help file: the contents and index files carry no
// character set and are written in windows-1252, with HTML entities.

#include <string>
#include <string_view>

namespace thn::chm {

// windows-1252 bytes as UTF-8; the five unassigned bytes become U+FFFD.
std::string DesdeWindows1252(std::string_view texto);
// Named (the common ones), decimal and hexadecimal entities replaced; an
// unknown or malformed entity is kept as written.
std::string DecodificarEntidades(std::string_view utf8);

}  // namespace thn::chm
