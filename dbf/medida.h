// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What a table file's header promises, against what the file holds.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace thn::dbf {

struct Medida {
    std::uint64_t tamano = 0;         // bytes in the file
    std::uint64_t fin_registros = 0;  // where the header's records end
    std::uint32_t registros = 0;      // the header's count
    std::uint16_t long_registro = 0;
    bool marca_fin = false;           // the 0x1A end mark stands at fin_registros

    // Bytes past the records and their end mark, which readers never see.
    std::uint64_t Sobrantes() const
    {
        const std::uint64_t fin = fin_registros + (marca_fin ? 1 : 0);
        return tamano > fin ? tamano - fin : 0;
    }
};

// nullopt when the file cannot be read or is too short to hold a header.
std::optional<Medida> MedirTabla(const std::filesystem::path& ruta);

}  // namespace thn::dbf
