// SPDX-License-Identifier: EUPL-1.2
#pragma once
// How the launcher learns the desktop program's end and exit status. Under
// Wine a Unix child gives no process handle to wait on, and the standard
// handles given to it arrive as /dev/null. So the program runs under bash,
// which first connects to a loopback port the launcher listens on and holds
// that connection for its whole life: it writes the program's exit status
// there as the last line, and the end of the data marks the end.
//
// Any local process can connect to that port too. So bash's first line is a
// random token the launcher put in its environment (never on a command line
// others can read), and the launcher listens to the one connection that
// presents it, and only to a few bytes of it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::lanzador {

inline constexpr const char* kShell = "/bin/bash";
// The token bash presents; removed from the environment before the program runs.
inline constexpr const char* kVariableTestigo = "TRANSHORALIA_TESTIGO";

// bash's arguments that run `programa` with `parametros`, reporting to
// 127.0.0.1:`puerto`. The program itself does not inherit the connection.
std::vector<std::string> OrdenConEstado(int puerto, const std::string& programa,
                                        const std::vector<std::string>& parametros);

// What one connection to the launcher's port says, fed as it arrives.
class Conversacion {
public:
    explicit Conversacion(std::string testigo);

    // False once the peer has shown it is not our bash: another first line,
    // or more than bash ever writes. Nothing more need be read from it then.
    bool Anadir(std::string_view trozo);
    // The token's line has arrived, whole and right.
    bool Presentado() const;
    // After the end of the data: the program's exit status; nullopt when
    // bash ended without it (killed before the program ended).
    std::optional<int> Estado() const;

private:
    std::string testigo_;
    std::string recibido_;
    bool rechazada_ = false;
};

// The status carried by the last line of what bash wrote, if it is one.
std::optional<int> EstadoDesdeSalida(std::string_view salida);

}  // namespace thn::lanzador
