// SPDX-License-Identifier: EUPL-1.2
#include "exportar/referidos.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace thn {
namespace {

std::uint64_t Dispersion(std::string_view s)
{
    std::uint64_t h = 0x9E3779B97F4A7C15u ^ s.size();
    for (std::size_t i = 0; i < s.size(); i += 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, s.data() + i, std::min<std::size_t>(8, s.size() - i));
        h = (h ^ w) * 0xBF58476D1CE4E5B9u;
        h ^= h >> 29;
    }
    return h;
}

// Lengths take two bytes: a text of a table is never longer.
std::size_t Largo(const unsigned char* p)
{
    return static_cast<std::size_t>(p[0]) | static_cast<std::size_t>(p[1]) << 8;
}

void PonerLargo(unsigned char* p, std::size_t largo)
{
    p[0] = static_cast<unsigned char>(largo & 0xFF);
    p[1] = static_cast<unsigned char>(largo >> 8);
}

}  // namespace

Referidos::Referidos(dbf::Tabla& t, const char* campo_id, const std::vector<const char*>& campos)
{
    std::vector<dbf::Columna> columnas{t.Campo(campo_id)};
    for (const char* c : campos)
        columnas.push_back(t.Campo(c));
    // Every record's texts first, so that each gets room for the longest.
    const std::size_t n = columnas.size();
    std::vector<std::string> textos;
    std::vector<std::size_t> anchos(n, 0);
    for (t.Primero(); !t.Fin(); t.Siguiente())
        for (std::size_t k = 0; k < n; ++k) {
            textos.push_back(t.LeerTexto(columnas[k]));
            anchos[k] = std::max(anchos[k], textos.back().size());
        }
    ancho_clave_ = anchos[0];
    ancho_ = 2 + ancho_clave_;
    for (std::size_t k = 1; k < n; ++k) {
        desp_.push_back(ancho_);
        ancho_ += 2 + anchos[k];
    }
    const std::size_t registros = textos.size() / n;
    std::size_t ranuras = 8;
    while (ranuras < 2 * registros)
        ranuras *= 2;
    mascara_ = ranuras - 1;
    ranuras_.assign(ranuras * ancho_, 0);
    for (std::size_t r = 0; r < registros; ++r) {
        const std::string* fila = &textos[r * n];
        unsigned char* p = ranuras_.data() + Lugar(fila[0]) * ancho_;
        if (Largo(p) != 0)
            continue;  // an earlier record has it
        PonerLargo(p, fila[0].size() + 1);
        std::memcpy(p + 2, fila[0].data(), fila[0].size());
        for (std::size_t k = 1; k < n; ++k) {
            PonerLargo(p + desp_[k - 1], fila[k].size());
            std::memcpy(p + desp_[k - 1] + 2, fila[k].data(), fila[k].size());
        }
    }
}

std::size_t Referidos::Lugar(std::string_view id) const
{
    for (std::size_t i = Dispersion(id) & mascara_;; i = (i + 1) & mascara_) {
        const unsigned char* p = Ranura(i);
        const std::size_t largo = Largo(p);
        if (largo == 0 || (largo == id.size() + 1 && std::memcmp(p + 2, id.data(), id.size()) == 0))
            return i;
    }
}

const unsigned char* Referidos::Buscar(std::string_view id) const
{
    if (id.size() > ancho_clave_)
        return nullptr;  // no record's is that long
    const unsigned char* p = Ranura(Lugar(id));
    return Largo(p) == 0 ? nullptr : p;
}

void Referidos::Anticipar(std::string_view id) const
{
    if (id.size() > ancho_clave_)
        return;
    const unsigned char* p = Ranura(Dispersion(id) & mascara_);
    __builtin_prefetch(p);
    __builtin_prefetch(p + ancho_ - 1);
}

std::string_view Referidos::Fila::operator[](std::size_t k) const
{
    const unsigned char* p = p_ + r_.desp_[k];
    return {reinterpret_cast<const char*>(p + 2), Largo(p)};
}

}  // namespace thn
