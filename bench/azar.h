// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Pseudo-random numbers that are the same on every platform and library:
// splitmix64, with ranges taken by multiplication instead of the standard
// distributions (whose output the standard leaves to each implementation).

#include <cstdint>
#include <iterator>

namespace thn::bench {

class Azar {
public:
    explicit Azar(std::uint64_t semilla) : estado_(semilla) {}

    std::uint64_t Siguiente()
    {
        std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0 <= result < n; n must be greater than 0.
    std::uint32_t Menor(std::uint32_t n)
    {
        return static_cast<std::uint32_t>(((Siguiente() >> 32) * n) >> 32);
    }

    // True with probability partes / 1000.
    bool PorMil(std::uint32_t partes) { return Menor(1000) < partes; }

    // One element of a non-empty array.
    template <typename Lista>
    const auto& Uno(const Lista& opciones)
    {
        return opciones[Menor(static_cast<std::uint32_t>(std::size(opciones)))];
    }

private:
    std::uint64_t estado_;
};

}  // namespace thn::bench
