// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The launcher's end of bash's connection. Any program on the machine may
// connect to a loopback port, so only a connection whose first line is the
// token the launcher put in bash's environment is believed; the others are
// closed after as many bytes as the token takes, and nothing is read
// without a bound.

#include <optional>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <winsock2.h>
#endif

namespace thn::lanzador {

#ifdef _WIN32
using Socket = SOCKET;
#else
using Socket = int;
#endif

// The environment variable that carries the token to bash.
inline constexpr const char* kVariableTestigo = "TRANSHORALIA_TESTIGO";

// A new random token: 32 hexadecimal digits.
std::string NuevoTestigo();

enum class Presentacion { Incompleta, Nuestra, Ajena };
// What the first bytes a connection sent say of it.
Presentacion Presentar(std::string_view recibido, std::string_view testigo);

// Accepts connections on `escucha` until one presents `testigo` or
// `segundos` have passed (nullopt), then returns what it writes after the
// token until it closes, at most a few hundred bytes.
std::optional<std::string> RecibirDeBash(Socket escucha, std::string_view testigo, int segundos);

}  // namespace thn::lanzador
