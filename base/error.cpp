// SPDX-License-Identifier: EUPL-1.2
#include "base/error.h"

namespace thn {

std::string TextoCajaError(const std::string& mensaje)
{
    // Compared as bytes of the UTF-8 text: every character before '.' is ASCII.
    if (mensaje.empty() || static_cast<unsigned char>(mensaje.back()) <= '.')
        return mensaje;
    return mensaje + ".";
}

std::string Formatear(const std::string& plantilla, std::initializer_list<std::string> argumentos)
{
    std::string resultado;
    resultado.reserve(plantilla.size() + 32);
    auto argumento = argumentos.begin();
    for (std::size_t i = 0; i < plantilla.size(); ++i) {
        if (plantilla[i] == '%' && i + 1 < plantilla.size() && plantilla[i + 1] == 's'
            && argumento != argumentos.end()) {
            resultado += *argumento++;
            ++i;
        } else {
            resultado += plantilla[i];
        }
    }
    return resultado;
}

}  // namespace thn
