// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Values of a table written earlier in the export, by identifier: what an
// assignment takes from its group, subject and teacher. One flat array holds
// each identifier with its values beside it, so that a look-up touches one
// place in memory: a large centre's tables do not fit in the processor's
// caches. Read only once made, it is shared by the threads that convert the
// assignments. As with Localizar, the first record of an identifier counts.

#include "dbf/tabla.h"
#include "so/memoria.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace thn {

class Referidos {
public:
    // Field `campo_id` and `campos` of every live record of `t`.
    Referidos(dbf::Tabla& t, const char* campo_id, const std::vector<const char*>& campos);

    // The values of one identifier's record, in the order of `campos`.
    class Fila {
    public:
        std::string_view operator[](std::size_t k) const;

    private:
        friend class Referidos;
        Fila(const Referidos& r, const unsigned char* p) : r_(r), p_(p) {}
        const Referidos& r_;
        const unsigned char* p_;
    };

    // Null when no record has `id`.
    const unsigned char* Buscar(std::string_view id) const;
    Fila Valores(const unsigned char* encontrado) const { return Fila(*this, encontrado); }

private:
    std::size_t Lugar(std::string_view id) const;
    const unsigned char* Ranura(std::size_t i) const { return ranuras_.data() + i * ancho_; }

    // Each slot: the identifier's length + 1 (0: free), its bytes, then per
    // value its length and its bytes, each in room for the longest.
    std::size_t ancho_clave_ = 0;
    std::vector<std::size_t> desp_;  // of each value's length byte
    std::size_t ancho_ = 0;
    std::size_t mascara_ = 0;
    so::MemoriaEnCeros ranuras_{0};
};

}  // namespace thn
