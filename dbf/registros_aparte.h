// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Records made apart from their table: another thread fills them while the
// table goes on with its own work, and Tabla::AnadirHechos posts them later,
// in order. They hold a copy of the table's layout, so they need nothing of
// the table while they are filled. No cut is reported: for writers that
// need no notes.

#include "dbf/tabla.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace thn::dbf {
namespace detalle {
struct Campo;
}

class RegistrosAparte {
public:
    // None yet, laid out as the open table `t`'s.
    explicit RegistrosAparte(const Tabla& t);
    ~RegistrosAparte();
    RegistrosAparte(RegistrosAparte&&) noexcept;
    RegistrosAparte& operator=(RegistrosAparte&&) noexcept;

    // A blank record after the others (every field null/blank); the Poner
    // calls fill the last one, as the table's own do.
    void Anadir();
    void PonerTexto(Columna campo, std::string_view ansi)
    {
        // A character field without a null flag, the most written, is
        // filled here: cut to its width, blanks after.
        if (campo.tabla_ == tabla_ && campo.indice_ < caracteres_.size() && !registros_.empty()) {
            const Caracteres c = caracteres_[campo.indice_];
            if (c.ancho != 0) {
                char* p = registros_.data() + registros_.size() - largo_ + c.desp;
                const std::size_t n = std::min<std::size_t>(ansi.size(), c.ancho);
                if (n != 0)  // an empty view may have no data at all
                    std::memcpy(p, ansi.data(), n);
                // A field not yet written in this record is still blank.
                const std::uint64_t bit = campo.indice_ < 64 ? std::uint64_t{1} << campo.indice_ : 0;
                if ((escritos_ & bit) != 0 || bit == 0)
                    std::memset(p + n, ' ', c.ancho - n);
                escritos_ |= bit;
                return;
            }
        }
        PonerTextoEnCampo(campo, ansi);
    }
    void PonerFlotante(Columna campo, double valor);

    std::size_t Cuantos() const;
    // None again, the memory kept for the next ones.
    void Vaciar();

private:
    friend class Tabla;
    unsigned char* Ultimo(Columna campo, const detalle::Campo*& c);
    void PonerTextoEnCampo(Columna campo, std::string_view ansi);

    // Per field: where a character field without a null flag lies in the
    // record; width 0 for any other.
    struct Caracteres {
        std::uint16_t desp = 0, ancho = 0;
    };

    std::shared_ptr<const detalle::Molde> molde_;
    const void* tabla_ = nullptr;
    std::size_t largo_ = 0;
    std::vector<Caracteres> caracteres_;
    std::string registros_;
    std::uint64_t escritos_ = 0;  // of the first 64 fields, those written in the last record
};

}  // namespace thn::dbf
