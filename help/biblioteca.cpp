// SPDX-License-Identifier: EUPL-1.2
#include "help/biblioteca.h"

#include <utility>

namespace thn::ayuda {

Biblioteca::Biblioteca(const std::filesystem::path& ruta) : manejador_(ruta.empty() ? nullptr : Abrir(ruta)) {}

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

void* Biblioteca::Simbolo(const char* nombre) const { return manejador_ ? Buscar(manejador_, nombre) : nullptr; }

void Biblioteca::Descargar()
{
    if (manejador_)
        Cerrar(std::exchange(manejador_, nullptr));
}

}  // namespace thn::ayuda
