// SPDX-License-Identifier: EUPL-1.2
#include "exportar/referidos.h"

#include "base/ascii.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace thn {
namespace {

// Every bit of `x` moves every bit of the result (MurmurHash3's finalizer):
// the table takes the low bits, and identifiers often differ only in their
// last character, which lands in a word's high bits.
std::uint64_t Mezclar(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDu;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53u;
    return x ^ (x >> 33);
}

// Short texts (identifiers have ten characters at most) are read as two
// words, not byte by byte.
std::uint64_t Dispersion(std::string_view s)
{
    const auto palabra = [&](std::size_t desde) {
        std::uint64_t w = 0;
        std::memcpy(&w, s.data() + desde, 8);
        return w;
    };
    const std::size_t n = s.size();
    std::uint64_t a = 0, b = 0;
    if (n >= 8) {
        a = palabra(0);
        for (std::size_t i = 8; i + 8 < n; i += 8)
            a = Mezclar(a ^ palabra(i));
        b = palabra(n - 8);
    } else if (n >= 4) {
        std::uint32_t x = 0, y = 0;
        std::memcpy(&x, s.data(), 4);
        std::memcpy(&y, s.data() + n - 4, 4);
        a = x;
        b = y;
    } else if (n > 0) {
        a = static_cast<unsigned char>(s[0]) | static_cast<std::uint64_t>(static_cast<unsigned char>(s[n / 2])) << 8
            | static_cast<std::uint64_t>(static_cast<unsigned char>(s[n - 1])) << 16;
    }
    return Mezclar(Mezclar(a ^ 0x9E3779B97F4A7C15u) ^ b ^ static_cast<std::uint64_t>(n) << 56);
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
    std::vector<const char*> nombres{campo_id};
    nombres.insert(nombres.end(), campos.begin(), campos.end());
    std::vector<dbf::Columna> columnas;
    for (const char* c : nombres)
        columnas.push_back(t.Campo(c));
    const std::size_t n = columnas.size();
    // Room for the longest text of each: a character field's width; for
    // any other, a pass over the records measures it.
    std::vector<std::size_t> anchos(n, 0);
    bool medir = false;
    const std::vector<dbf::DefinicionCampo> definiciones = t.Campos();
    for (std::size_t k = 0; k < n; ++k) {
        const auto d = std::find_if(definiciones.begin(), definiciones.end(),
                                    [&](const dbf::DefinicionCampo& d) { return IgualesSinCasoAscii(d.nombre, nombres[k]); });
        if (d != definiciones.end() && d->tipo == dbf::TipoCampo::Caracter)
            anchos[k] = static_cast<std::size_t>(d->ancho);
        else
            medir = true;
    }
    for (t.Primero(); medir && !t.Fin(); t.Siguiente())
        for (std::size_t k = 0; k < n; ++k)
            anchos[k] = std::max(anchos[k], t.LeerTexto(columnas[k]).size());
    ancho_clave_ = anchos[0];
    ancho_ = 2 + ancho_clave_;
    for (std::size_t k = 1; k < n; ++k) {
        desp_.push_back(ancho_);
        ancho_ += 2 + anchos[k];
    }
    std::size_t ranuras = 8;
    while (ranuras < 2 * t.NumeroRegistros())
        ranuras *= 2;
    mascara_ = ranuras - 1;
    // A large centre's identifiers take megabytes: in huge pages where the system has them.
    ranuras_ = so::MemoriaEnCeros(ranuras * ancho_);
    for (t.Primero(); !t.Fin(); t.Siguiente()) {
        const std::string id = t.LeerTexto(columnas[0]);
        unsigned char* p = ranuras_.data() + Lugar(id) * ancho_;
        if (Largo(p) != 0)
            continue;  // an earlier record has it
        PonerLargo(p, id.size() + 1);
        std::memcpy(p + 2, id.data(), id.size());
        for (std::size_t k = 1; k < n; ++k) {
            const std::string valor = t.LeerTexto(columnas[k]);
            PonerLargo(p + desp_[k - 1], valor.size());
            std::memcpy(p + desp_[k - 1] + 2, valor.data(), valor.size());
        }
    }
}

std::size_t Referidos::Lugar(std::string_view id) const
{
    for (std::size_t i = Dispersion(id) & mascara_;; i = (i + 1) & mascara_) {
        const unsigned char* p = Ranura(i);
        const std::size_t largo = Largo(p);
        if (largo == 0 || (largo == id.size() + 1 && (id.empty() || std::memcmp(p + 2, id.data(), id.size()) == 0)))
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

std::string_view Referidos::Fila::operator[](std::size_t k) const
{
    const unsigned char* p = p_ + r_.desp_[k];
    return {reinterpret_cast<const char*>(p + 2), Largo(p)};
}

}  // namespace thn
