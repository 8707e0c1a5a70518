// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the host asked for, read from the launcher's parameters, and what the
// desktop program is given in turn.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thn::lanzador {

enum class Modo {
    Sola,        // any count but two: the program opens alone
    Incrustada,  // a direction word and a window handle in hexadecimal
    TalCual,     // two parameters, the second no handle: the program reports it
};

struct Llamada {
    Modo modo = Modo::Sola;
    std::string direccion;
    std::uint32_t ventana = 0;            // the host's window handle
    std::vector<std::string> parametros;  // as given, the program not counted
};

// `parametros` excludes the program's own name.
Llamada DecidirLlamada(const std::vector<std::string>& parametros);

// Hexadecimal digits without prefix, sign or blanks, within 32 bits.
std::optional<std::uint32_t> VentanaDesdeTexto(std::string_view texto);

// Capital hexadecimal digits without prefix, the form handles travel in.
std::string TextoHex(std::uint32_t valor);

// The desktop program's parameters: the direction word and the X11 window
// `x11` when embedded, nothing when alone, the host's own otherwise.
std::vector<std::string> ParametrosPrograma(const Llamada& llamada, std::uint32_t x11);

}  // namespace thn::lanzador
