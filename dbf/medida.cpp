// SPDX-License-Identifier: EUPL-1.2
#include "dbf/medida.h"

#include <fstream>

namespace thn::dbf {

std::optional<Medida> MedirTabla(const std::filesystem::path& ruta)
{
    std::ifstream f(ruta, std::ios::binary | std::ios::ate);
    if (!f)
        return std::nullopt;
    Medida m;
    m.tamano = static_cast<std::uint64_t>(f.tellg());
    unsigned char h[12];
    f.seekg(0);
    if (!f.read(reinterpret_cast<char*>(h), sizeof h))
        return std::nullopt;
    m.registros = static_cast<std::uint32_t>(h[4] | h[5] << 8 | h[6] << 16) | static_cast<std::uint32_t>(h[7]) << 24;
    const std::uint16_t cabecera = static_cast<std::uint16_t>(h[8] | h[9] << 8);
    m.long_registro = static_cast<std::uint16_t>(h[10] | h[11] << 8);
    m.fin_registros = cabecera + std::uint64_t{m.registros} * m.long_registro;
    char marca = 0;
    if (m.fin_registros < m.tamano && f.seekg(static_cast<std::streamoff>(m.fin_registros)) && f.get(marca))
        m.marca_fin = marca == '\x1A';
    return m;
}

}  // namespace thn::dbf
