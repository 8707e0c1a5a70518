// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Running a Unix program from Wine and waiting for its end.

#include <string>
#include <vector>

namespace thn::lanzador {

// Runs the Unix program `programa` with `parametros` (UTF-8) and the
// environment `entorno` ("NAME=value" entries), and returns its exit status.
// Fails with std::runtime_error and a Spanish message when it cannot be
// started or ends without telling its status.
int EjecutarYEsperar(const std::string& programa, const std::vector<std::string>& parametros,
                     const std::vector<std::string>& entorno);

// The launcher's own environment, in UTF-8.
std::vector<std::string> EntornoPropio();

}  // namespace thn::lanzador
