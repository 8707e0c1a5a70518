// SPDX-License-Identifier: EUPL-1.2
#include "base/crc32.h"

#include <array>

namespace thn {
namespace {

using Tablas = std::array<std::array<std::uint32_t, 256>, 8>;

// tablas[k][b]: the CRC of byte b followed by k zero bytes.
constexpr Tablas HacerTablas()
{
    Tablas t{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[0][i] = c;
    }
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t i = 0; i < 256; ++i)
            t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
    return t;
}

constexpr Tablas kTablas = HacerTablas();

std::uint32_t Byte(const char* p, int i) { return static_cast<unsigned char>(p[i]); }

}  // namespace

void Crc32::Anadir(std::string_view datos)
{
    const auto& t = kTablas;
    std::uint32_t c = crc_;
    const char* p = datos.data();
    std::size_t n = datos.size();
    for (; n >= 8; n -= 8, p += 8) {
        const std::uint32_t a = c ^ (Byte(p, 0) | Byte(p, 1) << 8 | Byte(p, 2) << 16 | Byte(p, 3) << 24);
        c = t[7][a & 0xFF] ^ t[6][(a >> 8) & 0xFF] ^ t[5][(a >> 16) & 0xFF] ^ t[4][a >> 24] ^ t[3][Byte(p, 4)]
            ^ t[2][Byte(p, 5)] ^ t[1][Byte(p, 6)] ^ t[0][Byte(p, 7)];
    }
    for (; n > 0; --n, ++p)
        c = t[0][(c ^ Byte(p, 0)) & 0xFF] ^ (c >> 8);
    crc_ = c;
}

}  // namespace thn
