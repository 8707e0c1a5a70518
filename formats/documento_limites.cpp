#include "formats/documento_limites.h"

#include <algorithm>
#include <cstring>

namespace thn::documento {
namespace {

constexpr std::size_t kLargoNombre = 100;  // of a name quoted in a message

bool Blanco(char32_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

bool VigiaLimites::Revisar(const char* datos, std::size_t tamano)
{
    const auto* p = reinterpret_cast<const unsigned char*>(datos);
    const auto* fin = p + tamano;
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
        const std::string primeros = std::move(inicio_);
        if (!Revisar(primeros.data(), primeros.size()))
            return false;
    }
    while (p < fin && motivo_.empty()) {
        if (unidad_ != Unidad::Byte) {
            if (byte_pendiente_ < 0) {
                byte_pendiente_ = *p++;
                continue;
            }
            const auto a = static_cast<char32_t>(byte_pendiente_), b = static_cast<char32_t>(*p++);
            byte_pendiente_ = -1;
            Caracter(unidad_ == Unidad::Utf16Le ? a | (b << 8) : (a << 8) | b);
            continue;
        }
        // Text and values are most of a document: skip them whole.
        if (estado_ == Estado::Texto || estado_ == Estado::Valor) {
            const char buscado = estado_ == Estado::Texto ? '<' : static_cast<char>(comillas_);
            const auto* hasta = static_cast<const unsigned char*>(std::memchr(p, buscado, static_cast<std::size_t>(fin - p)));
            if (hasta == nullptr)
                hasta = fin;
            linea_ += static_cast<std::size_t>(std::count(p, hasta, '\n'));
            if (estado_ == Estado::Valor) {
                largo_valor_ += static_cast<std::size_t>(hasta - p);
                ComprobarValor();
            }
            p = hasta;
            if (p == fin || !motivo_.empty())
                break;
        }
        Caracter(*p++);
    }
    return motivo_.empty();
}

void VigiaLimites::Caracter(char32_t c)
{
    if (c == '\n')
        ++linea_;
    switch (estado_) {
    case Estado::Texto:
        if (c == '<') {
            estado_ = Estado::Menor;
            linea_etiqueta_ = linea_;
        }
        break;
    case Estado::Menor:
        marcas_ = 0;
        volver_ = Estado::Texto;
        if (c == '!') {
            estado_ = Estado::Exclamacion;
        } else if (c == '?') {
            estado_ = Estado::Instruccion;
        } else if (c == '/') {
            estado_ = Estado::Fin;
        } else {
            elemento_.clear();
            Anotar(elemento_, c);
            atributo_.clear();
            atributo_cerrado_ = false;
            atributos_ = 0;
            estado_ = Estado::Nombre;
        }
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
    case Estado::Nombre:
        if (c == '>')
            estado_ = Estado::Texto;
        else if (Blanco(c) || c == '/')
            estado_ = Estado::Etiqueta;
        else
            Anotar(elemento_, c);
        break;
    case Estado::Etiqueta:
        if (c == '"' || c == '\'') {
            if (++atributos_ > kMaximoAtributos) {
                Fallar("el elemento '" + elemento_ + "' tiene más de " + std::to_string(kMaximoAtributos)
                       + " atributos");
                break;
            }
            comillas_ = c;
            largo_valor_ = 0;
            estado_ = Estado::Valor;
        } else if (c == '>') {
            estado_ = Estado::Texto;
        } else if (!Blanco(c) && c != '=' && c != '/') {
            if (atributo_cerrado_) {
                atributo_.clear();
                atributo_cerrado_ = false;
            }
            Anotar(atributo_, c);
        }
        break;
    case Estado::Valor:
        if (c == comillas_) {
            estado_ = Estado::Etiqueta;
            atributo_cerrado_ = true;
        } else {
            largo_valor_ += unidad_ == Unidad::Byte ? 1 : 2;
            ComprobarValor();
        }
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
    }
}

// Names go into messages as UTF-8, cut short.
void VigiaLimites::Anotar(std::string& destino, char32_t c) const
{
    if (destino.size() >= kLargoNombre)
        return;
    if (unidad_ == Unidad::Byte || c < 0x80) {
        destino += static_cast<char>(c);
    } else if (c < 0x800) {
        destino += static_cast<char>(0xC0 | (c >> 6));
        destino += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c >= 0xD800 && c <= 0xDFFF) {
        destino += '?';
    } else {
        destino += static_cast<char>(0xE0 | (c >> 12));
        destino += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        destino += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void VigiaLimites::ComprobarValor()
{
    if (largo_valor_ > kMaximoValorAtributo)
        Fallar("el atributo '" + atributo_ + "' del elemento '" + elemento_ + "' ocupa más de "
               + std::to_string(kMaximoValorAtributo / 1000000) + " MB");
}

void VigiaLimites::Fallar(const std::string& que)
{
    motivo_ = "línea " + std::to_string(linea_etiqueta_) + ": " + que;
}

}  // namespace thn::documento
