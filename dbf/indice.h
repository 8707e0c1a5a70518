// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: the index Localizar builds for one field.
// Open addressing over record numbers and the texts' hashes, in two flat
// arrays; the texts themselves are read from the records when compared. A
// look-up in a large table then touches a few cache lines, not a node per
// key scattered over the heap.

#include "dbf/estructura.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace thn::dbf::detalle {

class IndiceCampo {
public:
    // `registros`, below, is the table's buffer of records.
    IndiceCampo(const Estructura& e, const Campo& c) : e_(e), c_(c) {}

    // Adds record `i`; among records of equal text the first added wins.
    void Anadir(const std::string& registros, std::size_t i);
    // The first record whose field's text is `valor`, or npos.
    std::size_t Buscar(const std::string& registros, std::string_view valor) const;

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    // The field's text in record `i`: read in place for character fields.
    std::string_view Clave(const std::string& registros, std::size_t i, std::string& auxiliar) const;
    void Crecer();

    const Estructura& e_;
    const Campo& c_;
    std::vector<std::uint32_t> registro_;  // record + 1; 0 for a free slot
    std::vector<std::uint32_t> hash_;
    std::size_t usados_ = 0;
};

}  // namespace thn::dbf::detalle
