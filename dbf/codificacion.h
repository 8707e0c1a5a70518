// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: byte-level encodings of the binary level-7
// fields and the little-endian header numbers. Kept in a header of its own so
// that the tests can check the encodings byte by byte.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>

namespace thn::dbf::detalle {

inline std::uint32_t LeerBE32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | std::uint32_t{p[3]};
}

inline std::uint64_t LeerBE64(const unsigned char* p)
{
    return (std::uint64_t{LeerBE32(p)} << 32) | LeerBE32(p + 4);
}

inline std::uint32_t LeerLE32(const unsigned char* p)
{
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | std::uint32_t{p[0]};
}

inline std::uint64_t LeerLE64(const unsigned char* p)
{
    return (std::uint64_t{LeerLE32(p + 4)} << 32) | LeerLE32(p);
}

inline std::uint16_t LeerLE16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline void EscribirBE32(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

inline void EscribirBE64(unsigned char* p, std::uint64_t v)
{
    EscribirBE32(p, static_cast<std::uint32_t>(v >> 32));
    EscribirBE32(p + 4, static_cast<std::uint32_t>(v));
}

inline void EscribirLE32(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}

inline void EscribirLE64(unsigned char* p, std::uint64_t v)
{
    EscribirLE32(p, static_cast<std::uint32_t>(v));
    EscribirLE32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

inline void EscribirLE16(unsigned char* p, std::uint16_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}

// Level-7 I (and +): big-endian, value XOR 0x80000000; 00000000 is NULL, so
// INT32_MIN cannot be stored (callers check).
inline void CodificarEntero7(unsigned char* p, std::int32_t v)
{
    EscribirBE32(p, static_cast<std::uint32_t>(v) ^ 0x80000000u);
}

inline std::optional<std::int32_t> DecodificarEntero7(const unsigned char* p)
{
    const std::uint32_t b = LeerBE32(p);
    if (b == 0)
        return std::nullopt;
    return static_cast<std::int32_t>(b ^ 0x80000000u);
}

// Level-7 O: big-endian IEEE double; value >= 0: sign bit set; value < 0:
// all 64 bits inverted. Eight zero bytes are NULL; -0.0 is written as +0.0.
inline void CodificarDoble7(unsigned char* p, double v)
{
    if (v == 0)
        v = 0.0;
    std::uint64_t b = std::bit_cast<std::uint64_t>(v);
    if (b >> 63)
        b = ~b;
    else
        b |= std::uint64_t{1} << 63;
    EscribirBE64(p, b);
}

inline std::optional<double> DecodificarDoble7(const unsigned char* p)
{
    std::uint64_t b = LeerBE64(p);
    if (b == 0)
        return std::nullopt;
    if (b >> 63)
        b &= ~(std::uint64_t{1} << 63);
    else
        b = ~b;
    return std::bit_cast<double>(b);
}

}  // namespace thn::dbf::detalle
