// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Records made apart from their table: another thread fills them while the
// table goes on with its own work, and Tabla::AnadirHechos posts them later,
// in order. They hold a copy of the table's layout, so they need nothing of
// the table while they are filled. No cut is reported: for writers that
// need no notes.

#include "dbf/tabla.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

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
    void PonerTexto(Columna campo, std::string_view ansi);
    void PonerFlotante(Columna campo, double valor);

    std::size_t Cuantos() const;
    // None again, the memory kept for the next ones.
    void Vaciar();

private:
    friend class Tabla;
    unsigned char* Ultimo(Columna campo, const detalle::Campo*& c);

    std::shared_ptr<const detalle::Molde> molde_;
    std::string registros_;
};

}  // namespace thn::dbf
