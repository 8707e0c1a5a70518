// SPDX-License-Identifier: EUPL-1.2
#include "base/crc32.h"

#include <zlib.h>

namespace thn {

void Crc32::Anadir(std::string_view datos)
{
    crc_ = static_cast<std::uint32_t>(
        crc32_z(crc_, reinterpret_cast<const Bytef*>(datos.data()), static_cast<z_size_t>(datos.size())));
}

}  // namespace thn
