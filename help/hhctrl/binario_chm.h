// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Little-endian fields of the internal objects of a compiled help file, read
// without trusting their lengths.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace thn::chm {

inline std::optional<std::uint32_t> U32(std::string_view datos, std::size_t posicion)
{
    if (posicion > datos.size() || datos.size() - posicion < 4)
        return std::nullopt;
    std::uint32_t valor = 0;
    for (int i = 3; i >= 0; --i)
        valor = (valor << 8) | static_cast<unsigned char>(datos[posicion + static_cast<std::size_t>(i)]);
    return valor;
}

inline std::optional<std::uint16_t> U16(std::string_view datos, std::size_t posicion)
{
    if (posicion > datos.size() || datos.size() - posicion < 2)
        return std::nullopt;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(datos[posicion])
                                      | (static_cast<unsigned char>(datos[posicion + 1]) << 8));
}

// The NUL-terminated text at `posicion` (to the end when unterminated).
inline std::optional<std::string> TextoEn(std::string_view datos, std::size_t posicion)
{
    if (posicion >= datos.size())
        return std::nullopt;
    const std::string_view resto = datos.substr(posicion);
    return std::string(resto.substr(0, resto.find('\0')));
}

}  // namespace thn::chm
