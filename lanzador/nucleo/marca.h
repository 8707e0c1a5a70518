// SPDX-License-Identifier: EUPL-1.2
#pragma once
// How installing and removing the launcher tell it from any other program of
// the same name: its executable has a section of this name, holding a text
// that says what it is. Our other programs hold the name as text, never as
// a section, so none of them passes for the launcher.

#include <string_view>

namespace thn::lanzador {

inline constexpr std::string_view kSeccionLanzador = ".thnlnz";
inline constexpr char kMarcaLanzador[] = "TransHoraliaNorvica: lanzador para Horalia bajo Wine";

}  // namespace thn::lanzador
