// SPDX-License-Identifier: EUPL-1.2
#include "help/biblioteca.h"

#include <dlfcn.h>

#include <utility>

namespace thn::ayuda {

Biblioteca::Biblioteca(const std::filesystem::path& ruta)
    : manejador_(ruta.empty() ? nullptr : dlopen(ruta.c_str(), RTLD_NOW | RTLD_LOCAL))
{
    if (!manejador_)
        dlerror();  // a missing library is not reported; clear it for the next caller
}

Biblioteca::~Biblioteca() { Descargar(); }

Biblioteca::Biblioteca(Biblioteca&& otra) noexcept : manejador_(std::exchange(otra.manejador_, nullptr)) {}

Biblioteca& Biblioteca::operator=(Biblioteca&& otra) noexcept
{
    if (this != &otra) {
        Descargar();
        manejador_ = std::exchange(otra.manejador_, nullptr);
    }
    return *this;
}

void* Biblioteca::Simbolo(const char* nombre) const
{
    return manejador_ ? dlsym(manejador_, nombre) : nullptr;
}

void Biblioteca::Descargar()
{
    if (manejador_)
        dlclose(std::exchange(manejador_, nullptr));
}

}  // namespace thn::ayuda
