// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The code registries shared by the subject and activity conversions.

#include <string>
#include <string_view>
#include <unordered_set>

namespace thn {

// A set of table texts compared whole and case-sensitively (byte equality of
// the code-page text). Hashed: every test costs O(1).
class RegistroCodigos {
public:
    bool Contiene(std::string_view texto) const { return textos_.count(std::string(texto)) != 0; }
    void Anadir(std::string_view texto) { textos_.emplace(texto); }
    void Vaciar() { textos_.clear(); }
    std::size_t Tamano() const { return textos_.size(); }

private:
    std::unordered_set<std::string> textos_;
};

// `ListaCodigos`: every short code written to ASIGNOMT.COD.
// `ListaNombres`: every subject or activity name met.
struct RegistrosCodigos {
    RegistroCodigos ListaCodigos;
    RegistroCodigos ListaNombres;

    void Vaciar()
    {
        ListaCodigos.Vaciar();
        ListaNombres.Vaciar();
    }
};

}  // namespace thn
