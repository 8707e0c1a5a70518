// SPDX-License-Identifier: EUPL-1.2
#include "help/biblioteca.h"

#include <dlfcn.h>

namespace thn::ayuda {

void* Biblioteca::Abrir(const std::filesystem::path& ruta)
{
    void* manejador = dlopen(ruta.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!manejador)
        dlerror();  // a missing library is not reported; clear it for the next caller
    return manejador;
}

void* Biblioteca::Buscar(void* manejador, const char* nombre) { return dlsym(manejador, nombre); }

void Biblioteca::Cerrar(void* manejador) { dlclose(manejador); }

}  // namespace thn::ayuda
