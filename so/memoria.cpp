// SPDX-License-Identifier: EUPL-1.2
#include "so/memoria.h"

#include <cstdlib>
#include <new>

namespace thn::so {

MemoriaEnCeros::MemoriaEnCeros(std::size_t bytes)
{
    void* bloque = nullptr;
    if (bytes < kMemoriaGrande)
        bloque = std::calloc(bytes == 0 ? 1 : bytes, 1);
    else
        bloque = ReservarMemoria(bytes, grandes_);
    if (bloque == nullptr)
        throw std::bad_alloc();
    datos_ = static_cast<unsigned char*>(bloque);
}

MemoriaEnCeros::~MemoriaEnCeros()
{
    if (grandes_ != 0)
        LiberarMemoria(datos_, grandes_);
    else
        std::free(datos_);
}

}  // namespace thn::so
