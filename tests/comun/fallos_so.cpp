// SPDX-License-Identifier: EUPL-1.2
#include "comun/fallos_so.h"

#include <cerrno>
#include <string_view>

#include <unistd.h>

namespace thn::so::pruebas {

Inyeccion inyeccion;

int Fallo(const char* llamada)
{
    if (*inyeccion.solo != '\0' && std::string_view(inyeccion.solo) != llamada)
        return 0;
    ++inyeccion.cuenta;
    if (inyeccion.cuenta == inyeccion.tambien
        || (inyeccion.en_adelante && inyeccion.fallar > 0 && inyeccion.cuenta > inyeccion.fallar))
        return EIO;
    if (inyeccion.cuenta != inyeccion.fallar)
        return 0;
    switch (inyeccion.efecto) {
    case Inyeccion::Fallar: return EIO;
    case Inyeccion::Morir: ::_exit(77);  // no clean-up at all, as when killed
    case Inyeccion::Esperar: {
        char c = 0;
        if (::write(inyeccion.aviso, "x", 1) != 1 || ::read(inyeccion.espera, &c, 1) != 1)
            ::_exit(78);
        return 0;
    }
    }
    return 0;
}

}  // namespace thn::so::pruebas
