// SPDX-License-Identifier: EUPL-1.2
#pragma once
// CRC-32 (the ISO-HDLC polynomial of zip and PNG), fed a block at a time:
// zlib's, which reads several bytes a step.

#include <cstdint>
#include <string_view>

namespace thn {

class Crc32 {
public:
    void Anadir(std::string_view datos);
    std::uint32_t Valor() const { return crc_; }

private:
    std::uint32_t crc_ = 0;
};

inline std::uint32_t Crc32De(std::string_view datos)
{
    Crc32 c;
    c.Anadir(datos);
    return c.Valor();
}

}  // namespace thn
