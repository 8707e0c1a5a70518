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

// Where "PE\0\0" begins, if the DOS header points at one.
std::optional<std::size_t> CabeceraPe(std::string_view bytes)
{
    if (bytes.size() < 0x40 || !bytes.starts_with("MZ"))
        return std::nullopt;
    const std::size_t pe = Numero(bytes, 0x3C, 4);
    if (pe > bytes.size() || bytes.size() - pe < 24 || bytes.substr(pe, 4) != std::string_view("PE\0\0", 4))
        return std::nullopt;
    return pe;
}

}  // namespace

std::optional<int> BitsDeEjecutable(std::string_view bytes)
{
    const auto pe = CabeceraPe(bytes);
    if (!pe)
        return std::nullopt;
    switch (Numero(bytes, *pe + 4, 2)) {
    case 0x014C:
        return 32;
    case 0x8664:
        return 64;
    default:
        return std::nullopt;
    }
}

std::vector<std::string> SeccionesDeEjecutable(std::string_view bytes)
{
    // The file header (20 bytes after the signature) gives the number of
    // sections and the optional header's size; 40-byte section headers
    // follow, each starting with its name in 8 bytes, NUL-padded.
    const auto pe = CabeceraPe(bytes);
    if (!pe)
        return {};
    const std::size_t cuantas = Numero(bytes, *pe + 6, 2);
    const std::size_t tabla = *pe + 24 + Numero(bytes, *pe + 20, 2);
    if (tabla > bytes.size() || (bytes.size() - tabla) / 40 < cuantas)
        return {};
    std::vector<std::string> nombres;
    for (std::size_t i = 0; i < cuantas; ++i) {
        const std::string_view nombre = bytes.substr(tabla + 40 * i, 8);
        nombres.emplace_back(nombre.substr(0, nombre.find('\0')));
    }
    return nombres;
}

}  // namespace thn::cli
