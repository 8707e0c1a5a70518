// SPDX-License-Identifier: EUPL-1.2
#include "cli/cabecera_pe.h"

#include <cstdint>

namespace thn::cli {
namespace {

std::uint32_t Numero(std::string_view bytes, std::size_t posicion, std::size_t ancho)
{
    std::uint32_t valor = 0;
    for (std::size_t i = ancho; i-- > 0;)
        valor = valor << 8 | static_cast<unsigned char>(bytes[posicion + i]);
    return valor;
}

}  // namespace

std::optional<int> BitsDeEjecutable(std::string_view bytes)
{
    // The DOS header's last field points at "PE\0\0", followed by the machine.
    if (bytes.size() < 0x40 || !bytes.starts_with("MZ"))
        return std::nullopt;
    const std::size_t pe = Numero(bytes, 0x3C, 4);
    if (pe > bytes.size() || bytes.size() - pe < 6 || bytes.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return std::nullopt;
    switch (Numero(bytes, pe + 4, 2)) {
    case 0x014C:
        return 32;
    case 0x8664:
        return 64;
    default:
        return std::nullopt;
    }
}

}  // namespace thn::cli
