// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The headless program: parses the command line, runs one direction, prints
// the outcome. Exit status: 0 completed, 1 error, 2 usage, 3 input missing.

#include <ostream>

namespace thn::cli {

int Ejecutar(int argc, char** argv, std::ostream& salida, std::ostream& errores);

}  // namespace thn::cli
