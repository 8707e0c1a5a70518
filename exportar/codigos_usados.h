// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The private code list of the teacher, room and group conversions: the short
// codes given so far, compared without regard to letter case.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

namespace thn {

class CodigosUsados {
public:
    bool Contiene(std::string_view ansi) const;
    void Anadir(std::string_view ansi);

    // The first of raiz+"1", raiz+"2", ... that is not in the list.
    std::string PrimerLibre(std::string_view raiz) const;

    // The first free raiz+k of at most `ancho` characters: when the counter
    // makes it too long, the stem loses its last character and k starts again at 1.
    std::string PrimerLibreDeAncho(std::string_view raiz, std::size_t ancho) const;

private:
    struct Hash {
        std::size_t operator()(const std::u32string& s) const noexcept { return std::hash<std::u32string>{}(s); }
    };
    std::unordered_set<std::u32string, Hash> plegados_;
};

}  // namespace thn
