// SPDX-License-Identifier: EUPL-1.2
#include "documento/limites.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace thn::documento {
namespace {

constexpr std::size_t kLargoNombre = 100;  // of a name quoted in a message

constexpr std::array<bool, 256> Tabla(std::initializer_list<unsigned char> marcas)
{
    std::array<bool, 256> t{};
    for (unsigned char c : marcas)
        t[c] = true;
    return t;
}
// What ends an element's name.
constexpr auto kFinNombre = Tabla({' ', '\t', '\r', '\n', '/', '>'});
// What matters inside a start tag: names, blanks and '=' are stepped over.
constexpr auto kMarcaEtiqueta = Tabla({'"', '\'', '>'});

// Eight bytes at a time: a word's bytes equal to `c` get their high bit set,
// the others none (exact, no carry crosses a byte).
constexpr std::uint64_t kUnos = 0x0101010101010101u;
constexpr std::uint64_t k7F = 0x7F7F7F7F7F7F7F7Fu;

std::uint64_t Palabra(const unsigned char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

std::uint64_t Iguales(std::uint64_t w, unsigned char c)
{
    const std::uint64_t x = w ^ (kUnos * c);
    return ~(((x & k7F) + k7F) | x | k7F);
}

std::size_t FinesDeLinea(const unsigned char* p, const unsigned char* fin)
{
    std::size_t n = 0;
    while (fin - p >= 8) {
        // Per-byte counters, added up before any could pass 255.
        std::uint64_t cuenta = 0;
        for (int i = 0; i < 255 && fin - p >= 8; ++i, p += 8)
            cuenta += Iguales(Palabra(p), '\n') >> 7;
        cuenta = (cuenta & 0x00FF00FF00FF00FFu) + ((cuenta >> 8) & 0x00FF00FF00FF00FFu);
        n += static_cast<std::size_t>((cuenta * 0x0001000100010001u) >> 48);
    }
    return n + static_cast<std::size_t>(std::count(p, fin, '\n'));
}

// The first mark of a start tag from `p`, or `fin`.
const unsigned char* MarcaEtiqueta(const unsigned char* p, const unsigned char* fin)
{
    if constexpr (std::endian::native == std::endian::little) {
        for (; fin - p >= 8; p += 8) {
            const std::uint64_t w = Palabra(p);
            if (const std::uint64_t m = Iguales(w, '"') | Iguales(w, '\'') | Iguales(w, '>'))
                return p + std::countr_zero(m) / 8;
        }
    }
    while (p < fin && !kMarcaEtiqueta[*p])
        ++p;
    return p;
}

const unsigned char* FinNombre(const unsigned char* p, const unsigned char* fin)
{
    while (p < fin && !kFinNombre[*p])
        ++p;
    return p;
}

void Anadir(std::string& nombre, const unsigned char* desde, const unsigned char* hasta)
{
    const std::size_t cabe = kLargoNombre - std::min(kLargoNombre, nombre.size());
    nombre.append(reinterpret_cast<const char*>(desde), std::min(cabe, static_cast<std::size_t>(hasta - desde)));
}

}  // namespace

bool VigiaLimites::Revisar(const char* datos, std::size_t tamano)
{
    const auto* p = reinterpret_cast<const unsigned char*>(datos);
    const auto* fin = p + tamano;
    if (!motivo_.empty())
        return false;
    if (unidad_ == Unidad::Desconocida) {
        while (p < fin && inicio_.size() < 4)
            inicio_ += static_cast<char>(*p++);
        if (inicio_.size() < 4)
            return true;
        const auto b0 = static_cast<unsigned char>(inicio_[0]), b1 = static_cast<unsigned char>(inicio_[1]);
        if ((b0 == 0xFF && b1 == 0xFE) || (b0 != 0 && b1 == 0))
            unidad_ = Unidad::Utf16Le;
        else if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 != 0))
            unidad_ = Unidad::Utf16Be;
        else
            unidad_ = Unidad::Byte;
        ancho_ = unidad_ == Unidad::Byte ? 1 : 2;
        const std::string primeros = std::move(inicio_);
        if (!Revisar(primeros.data(), primeros.size()))
            return false;
    }
    if (unidad_ == Unidad::Byte) {
        Bloque(p, fin);
        return motivo_.empty();
    }
    // UTF-16: every unit outside ASCII becomes one byte that is no markup.
    unidades_.clear();
    for (; p < fin; ++p) {
        if (byte_pendiente_ < 0) {
            byte_pendiente_ = *p;
            continue;
        }
        const unsigned a = static_cast<unsigned>(byte_pendiente_), b = *p;
        const unsigned unidad = unidad_ == Unidad::Utf16Le ? a | (b << 8) : (a << 8) | b;
        unidades_ += static_cast<char>(unidad < 0x80 ? unidad : 0x80);
        byte_pendiente_ = -1;
    }
    const auto* u = reinterpret_cast<const unsigned char*>(unidades_.data());
    Bloque(u, u + unidades_.size());
    return motivo_.empty();
}

void VigiaLimites::Bloque(const unsigned char* inicio, const unsigned char* fin)
{
    if (nombre_abierto_) {
        const auto* hasta = FinNombre(inicio, fin);
        Anadir(elemento_, inicio, hasta);
        nombre_abierto_ = hasta == fin;
    }
    // Text, names and values are most of a document: they are skipped whole,
    // and only the marks between them are looked at.
    const auto* p = inicio;
    while (p < fin && motivo_.empty()) {
        switch (estado_) {
        case Estado::Texto: {
            const auto* menor = static_cast<const unsigned char*>(std::memchr(p, '<', static_cast<std::size_t>(fin - p)));
            if (menor == nullptr) {
                p = fin;
                break;
            }
            etiqueta_ = menor;
            estado_ = Estado::Menor;
            p = menor + 1;
            break;
        }
        case Estado::Menor:
            if (*p == '!' || *p == '?' || *p == '/') {
                Marca(*p++);
            } else {
                atributos_ = 0;
                estado_ = Estado::Etiqueta;
            }
            break;
        case Estado::Etiqueta:
            p = MarcaEtiqueta(p, fin);
            if (p == fin)
                break;
            if (*p == '>') {
                estado_ = Estado::Texto;
            } else if (++atributos_ > kMaximoAtributos) {
                Fallar(inicio, fin, "el elemento '%s' tiene más de " + std::to_string(kMaximoAtributos) + " atributos");
            } else {
                comillas_ = *p;
                largo_valor_ = 0;
                estado_ = Estado::Valor;
            }
            ++p;
            break;
        case Estado::Valor: {
            const auto* cierre = static_cast<const unsigned char*>(std::memchr(p, comillas_, static_cast<std::size_t>(fin - p)));
            largo_valor_ += static_cast<std::size_t>((cierre != nullptr ? cierre : fin) - p) * ancho_;
            if (largo_valor_ > kMaximoValorAtributo)
                Fallar(inicio, fin, "un atributo del elemento '%s' ocupa más de "
                                        + std::to_string(kMaximoValorAtributo / 1000000) + " MB");
            p = cierre != nullptr ? cierre + 1 : fin;
            if (cierre != nullptr)
                estado_ = Estado::Etiqueta;
            break;
        }
        default:
            Marca(*p++);
            break;
        }
    }
    if (estado_ == Estado::Menor || estado_ == Estado::Etiqueta || estado_ == Estado::Valor)
        AnotarEtiqueta(inicio, fin);
    etiqueta_ = nullptr;
    lineas_ += FinesDeLinea(inicio, fin);
}

void VigiaLimites::AnotarEtiqueta(const unsigned char* bloque, const unsigned char* fin)
{
    if (etiqueta_ == nullptr)
        return;
    linea_etiqueta_ = lineas_ + FinesDeLinea(bloque, etiqueta_) + 1;
    const auto* hasta = FinNombre(etiqueta_ + 1, fin);
    elemento_.clear();
    Anadir(elemento_, etiqueta_ + 1, hasta);
    nombre_abierto_ = hasta == fin;
    etiqueta_ = nullptr;
}

void VigiaLimites::Fallar(const unsigned char* bloque, const unsigned char* fin, const std::string& que)
{
    AnotarEtiqueta(bloque, fin);
    std::string texto = que;
    texto.replace(texto.find("%s"), 2, elemento_);
    motivo_ = "línea " + std::to_string(linea_etiqueta_) + ": " + texto;
}

void VigiaLimites::Marca(unsigned char c)
{
    switch (estado_) {
    case Estado::Menor:
        marcas_ = 0;
        volver_ = Estado::Texto;
        estado_ = c == '!' ? Estado::Exclamacion : c == '?' ? Estado::Instruccion : Estado::Fin;
        break;
    case Estado::Exclamacion:
        if (c == '-') {
            estado_ = Estado::ExclamacionGuion;
        } else if (c == '[') {
            estado_ = Estado::Cdata;
        } else {
            subconjunto_ = false;
            estado_ = Estado::Dtd;
        }
        break;
    case Estado::ExclamacionGuion:
        estado_ = c == '-' ? Estado::Comentario : Estado::Texto;
        break;
    case Estado::Comentario:
        if (c == '>' && marcas_ >= 2)
            estado_ = volver_;
        marcas_ = c == '-' ? marcas_ + 1 : 0;
        break;
    case Estado::Instruccion:
        if (c == '>' && marcas_ > 0)
            estado_ = volver_;
        marcas_ = c == '?' ? 1 : 0;
        break;
    case Estado::Cdata:
        if (c == '>' && marcas_ >= 2)
            estado_ = Estado::Texto;
        marcas_ = c == ']' ? marcas_ + 1 : 0;
        break;
    case Estado::Fin:
        if (c == '>')
            estado_ = Estado::Texto;
        break;
    case Estado::Dtd:
        if (c == '"' || c == '\'') {
            comillas_ = c;
            estado_ = Estado::DtdComillas;
        } else if (c == '[') {
            subconjunto_ = true;
        } else if (c == ']') {
            subconjunto_ = false;
        } else if (c == '<') {
            estado_ = Estado::DtdMenor;
        } else if (c == '>' && !subconjunto_) {
            estado_ = Estado::Texto;
        }
        break;
    case Estado::DtdComillas:
        if (c == comillas_)
            estado_ = Estado::Dtd;
        break;
    case Estado::DtdMenor:
        marcas_ = 0;
        volver_ = Estado::Dtd;
        estado_ = c == '!' ? Estado::DtdExclamacion : c == '?' ? Estado::Instruccion : Estado::Dtd;
        break;
    case Estado::DtdExclamacion:
        estado_ = c == '-' ? Estado::DtdExclamacionGuion : Estado::Dtd;
        break;
    case Estado::DtdExclamacionGuion:
        estado_ = c == '-' ? Estado::Comentario : Estado::Dtd;
        break;
    case Estado::Texto:
    case Estado::Etiqueta:
    case Estado::Valor:
        break;  // taken whole by Bloque
    }
}

}  // namespace thn::documento
