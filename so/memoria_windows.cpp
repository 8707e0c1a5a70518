// SPDX-License-Identifier: EUPL-1.2
#include "so/memoria.h"

#include <windows.h>

namespace thn::so {

// Large pages on Windows need a privilege no school's account holds: the
// system's ordinary pages serve.
void* ReservarMemoria(std::size_t bytes, std::size_t& obtenidos)
{
    if (bytes == 0)
        return nullptr;
    obtenidos = bytes;
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
}

void LiberarMemoria(void* bloque, std::size_t) noexcept
{
    if (bloque != nullptr)
        VirtualFree(bloque, 0, MEM_RELEASE);
}

}  // namespace thn::so
