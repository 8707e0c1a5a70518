// SPDX-License-Identifier: EUPL-1.2
#include "so/memoria.h"

#include <algorithm>
#include <cstdint>
#include <sys/mman.h>

namespace thn::so {
namespace {

// A huge page covers only a range aligned to its size, so the block is
// placed at such an address: the mapping is made that much larger and the
// ends cut off.
constexpr std::size_t kPaginaEnorme = std::size_t{2} << 20;
constexpr std::size_t kMinimo = std::size_t{64} << 20;

std::size_t Redondeado(std::size_t bytes)
{
    return (bytes + kPaginaEnorme - 1) / kPaginaEnorme * kPaginaEnorme;
}

}  // namespace

void* ReservarMemoria(std::size_t bytes, std::size_t& obtenidos)
{
    if (bytes == 0 || bytes > SIZE_MAX / 2)
        return nullptr;
    std::size_t tamano = std::max(Redondeado(bytes), kMinimo);
    std::size_t mapeado = tamano + kPaginaEnorme;
    // Addresses only: what is never written is never charged, unless the
    // system counts every address (strict overcommit): then only what was asked.
    void* p = ::mmap(nullptr, mapeado, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (p == MAP_FAILED && tamano > Redondeado(bytes)) {
        tamano = Redondeado(bytes);
        mapeado = tamano + kPaginaEnorme;
        p = ::mmap(nullptr, mapeado, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    }
    if (p == MAP_FAILED)
        return nullptr;
    const auto inicio = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t alineado = (inicio + kPaginaEnorme - 1) / kPaginaEnorme * kPaginaEnorme;
    if (alineado > inicio)
        ::munmap(p, alineado - inicio);
    const std::uintptr_t fin = inicio + mapeado;
    if (fin > alineado + tamano)
        ::munmap(reinterpret_cast<void*>(alineado + tamano), fin - (alineado + tamano));
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(alineado), tamano, MADV_HUGEPAGE);  // a hint: refused, small pages serve
#endif
    obtenidos = tamano;
    return reinterpret_cast<void*>(alineado);
}

void LiberarMemoria(void* bloque, std::size_t obtenidos) noexcept
{
    if (bloque != nullptr)
        ::munmap(bloque, obtenidos);
}

}  // namespace thn::so
