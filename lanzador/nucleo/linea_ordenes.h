// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A Windows command line: one string that the child splits back into the
// same arguments (the C runtime's rules, which Wine follows for Unix programs).

#include <string>
#include <vector>

namespace thn::lanzador {

std::string LineaOrdenes(const std::vector<std::string>& argumentos);

}  // namespace thn::lanzador
