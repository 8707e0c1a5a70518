// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A text the launcher carries in its bytes, so that installing and removing
// it can tell it from any other program of the same name.

namespace thn::lanzador {

inline constexpr char kMarcaLanzador[] = "TransHoraliaNorvica: lanzador para Horalia bajo Wine";

}  // namespace thn::lanzador
