// SPDX-License-Identifier: EUPL-1.2
#pragma once
// UTF-8 inside, UTF-16 at the Windows interfaces.

#include <string>
#include <string_view>

namespace thn::lanzador {

std::wstring Ancho(std::string_view utf8);
std::string Utf8(std::wstring_view ancho);

// A message box titled "TransHoraliaNorvica" with one button; `icono` is one
// of the MB_ICON* flags or 0.
void Caja(const std::string& texto, unsigned icono);

}  // namespace thn::lanzador
