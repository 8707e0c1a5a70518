// SPDX-License-Identifier: EUPL-1.2
#include "base/numeros.h"

#include "base/error.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace thn {
namespace {

int ValorHex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool EsDigito(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool ProbarEnteroDesdeTexto(std::string_view texto, std::int32_t& valor)
{
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == '+' || texto[i] == '-'))
        negativo = texto[i++] == '-';

    bool hex = false;
    if (i < texto.size() && (texto[i] == '$' || texto[i] == 'x' || texto[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < texto.size() && texto[i] == '0' && (texto[i + 1] == 'x' || texto[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == texto.size())
        return false;

    // Accumulated in 64 bits; the limits below keep it from overflowing.
    std::uint64_t magnitud = 0;
    const std::uint64_t limite = hex ? 0xFFFFFFFFull : (negativo ? 0x80000000ull : 0x7FFFFFFFull);
    for (; i < texto.size(); ++i) {
        const int d = hex ? ValorHex(texto[i]) : (EsDigito(texto[i]) ? texto[i] - '0' : -1);
        if (d < 0)
            return false;
        magnitud = magnitud * (hex ? 16 : 10) + static_cast<unsigned>(d);
        if (magnitud > limite)
            return false;
    }
    // Hexadecimal digits name the 32-bit pattern; the sign then negates it.
    const auto patron = static_cast<std::uint32_t>(magnitud);
    const auto con_signo = static_cast<std::int64_t>(static_cast<std::int32_t>(patron));
    const std::int64_t resultado = hex ? (negativo ? -con_signo : con_signo)
                                       : (negativo ? -static_cast<std::int64_t>(magnitud)
                                                   : static_cast<std::int64_t>(magnitud));
    if (resultado < std::numeric_limits<std::int32_t>::min() || resultado > std::numeric_limits<std::int32_t>::max())
        return false;
    valor = static_cast<std::int32_t>(resultado);
    return true;
}

std::int32_t EnteroDesdeTexto(std::string_view texto)
{
    std::int32_t valor = 0;
    if (!ProbarEnteroDesdeTexto(texto, valor))
        throw Error(Formatear("'%s' no es un valor entero válido", {std::string(texto)}));
    return valor;
}

double FlotanteDesdeTexto(std::string_view texto, char separador)
{
    auto fallo = [&] {
        return Error(Formatear("'%s' no es un valor punto flotante válido", {std::string(texto)}));
    };
    std::size_t inicio = 0, fin = texto.size();
    while (inicio < fin && texto[inicio] == ' ')
        ++inicio;
    while (fin > inicio && texto[fin - 1] == ' ')
        --fin;

    // Rewritten in the C form ('.' separator) and checked character by character,
    // so that from_chars sees only what the rules accept.
    std::string c;
    c.reserve(fin - inicio);
    std::size_t i = inicio;
    if (i < fin && (texto[i] == '+' || texto[i] == '-')) {
        if (texto[i] == '-')
            c += '-';
        ++i;
    }
    int digitos = 0;
    bool separador_visto = false;
    for (; i < fin; ++i) {
        const char ch = texto[i];
        if (EsDigito(ch)) {
            c += ch;
            ++digitos;
        } else if (ch == separador && !separador_visto) {
            c += '.';
            separador_visto = true;
        } else {
            break;
        }
    }
    if (digitos == 0)
        throw fallo();
    if (i < fin && (texto[i] == 'e' || texto[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < fin && (texto[i] == '+' || texto[i] == '-'))
            c += texto[i++];
        int exp_digitos = 0;
        for (; i < fin && EsDigito(texto[i]); ++i, ++exp_digitos)
            c += texto[i];
        if (exp_digitos == 0)
            throw fallo();
    }
    if (i != fin)
        throw fallo();

    double valor = 0;
    const auto [ptr, ec] = std::from_chars(c.data(), c.data() + c.size(), valor);
    if (ec != std::errc() || ptr != c.data() + c.size() || !std::isfinite(valor))
        throw fallo();
    return valor;
}

double FlotanteConCualquierSeparador(std::string_view texto)
{
    return FlotanteDesdeTexto(texto, texto.find(',') != std::string_view::npos ? ',' : '.');
}

std::string TextoDesdeEntero(std::int64_t valor)
{
    return std::to_string(valor);
}

std::string TextoDesdeFlotante(double valor, char separador)
{
    if (valor == 0)
        return "0";  // -0 too
    // Plain digits as a user writes them (1000000, 0.0001); the exponent form
    // only where plain digits would run on.
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr - buf > 40)
        r = std::to_chars(buf, buf + sizeof buf, valor);
    std::string texto(buf, r.ec == std::errc() ? r.ptr : buf);
    for (char& ch : texto)
        if (ch == '.')
            ch = separador;
    return texto;
}

char SeparadorDecimalDelUsuario()
{
    const std::lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && lc->decimal_point[0] && !lc->decimal_point[1])
        return lc->decimal_point[0];
    return '.';
}

}  // namespace thn
