// SPDX-License-Identifier: EUPL-1.2
#include "app/interaccion_automatica.h"

namespace thn::app {

void InteraccionAutomatica::Escribir(const char* tipo, std::string texto)
{
    // One line per message, so a reader can wait for it.
    for (std::size_t p; (p = texto.find("\r\n")) != std::string::npos;)
        texto.replace(p, 2, " / ");
    salida_ << tipo << ": " << texto << std::endl;
}

}  // namespace thn::app
