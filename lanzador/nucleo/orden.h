// SPDX-License-Identifier: EUPL-1.2
#pragma once
// How the launcher learns the desktop program's end and exit status. Under
// Wine a Unix child gives no process handle to wait on, and the standard
// handles given to it arrive as /dev/null. So the program runs under bash,
// which first connects to a loopback port the launcher listens on, presents
// the token it finds in its environment (recepcion.h), and holds that
// connection for its whole life: it writes the program's exit status there as
// the last line, and the end of the data marks the end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::lanzador {

inline constexpr const char* kShell = "/bin/bash";

// bash's arguments that run `programa` with `parametros`, reporting to
// 127.0.0.1:`puerto`. The program itself inherits neither the connection nor
// the token. A program that is not an executable file is not run.
std::vector<std::string> OrdenConEstado(int puerto, const std::string& programa,
                                        const std::vector<std::string>& parametros);

// The exit status carried by what bash wrote; nullopt when it ends without
// it (bash was killed before the program ended).
std::optional<int> EstadoDesdeSalida(std::string_view salida);

// True when bash found no executable file to run.
bool SinArrancar(std::string_view salida);

}  // namespace thn::lanzador
