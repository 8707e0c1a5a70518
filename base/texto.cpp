// SPDX-License-Identifier: EUPL-1.2
#include "base/texto.h"

#include "base/cp1252.h"
#include "base/utf8.h"

#include <algorithm>
#include <array>
#include <utility>

namespace thn {
namespace {

// Unicode -> byte for the characters above U+00FF that the code page holds,
// sorted for a binary search.
struct Altos {
    std::array<std::pair<char32_t, unsigned char>, 32> pares{};
    std::size_t n = 0;

    Altos()
    {
        for (int b = 0; b < 256; ++b)
            if (cp1252::kUnicode[b] > 0xFF && n < pares.size())
                pares[n++] = {cp1252::kUnicode[b], static_cast<unsigned char>(b)};
        std::sort(pares.begin(), pares.begin() + static_cast<std::ptrdiff_t>(n));
    }
};

int Byte(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    if (cp <= 0xFF)  // C1 controls: held only where the page leaves the byte undefined
        return cp1252::kUnicode[cp] == cp ? static_cast<int>(cp) : -1;
    static const Altos altos;
    const auto fin = altos.pares.begin() + static_cast<std::ptrdiff_t>(altos.n);
    const auto it = std::lower_bound(altos.pares.begin(), fin, std::pair<char32_t, unsigned char>{cp, 0});
    return it != fin && it->first == cp ? it->second : -1;
}

}  // namespace

std::string_view Recortar(std::string_view texto)
{
    // U+0020 and below are single bytes in UTF-8 and in Windows-1252 alike.
    std::size_t inicio = 0, fin = texto.size();
    while (inicio < fin && static_cast<unsigned char>(texto[inicio]) <= 0x20)
        ++inicio;
    while (fin > inicio && static_cast<unsigned char>(texto[fin - 1]) <= 0x20)
        --fin;
    return texto.substr(inicio, fin - inicio);
}

std::string AAnsi(std::string_view utf8)
{
    std::string resultado;
    resultado.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = utf8::Siguiente(utf8, i);
        const int b = c == utf8::kMalformado ? -1 : Byte(c);
        resultado += b < 0 ? '?' : static_cast<char>(b);
    }
    return resultado;
}

std::string DesdeAnsi(std::string_view ansi)
{
    std::string resultado;
    resultado.reserve(ansi.size() + ansi.size() / 4);
    for (char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            resultado += c;
        else
            utf8::Anadir(resultado, cp1252::kUnicode[b]);
    }
    return resultado;
}

std::u32string PlegadoAnsi(std::string_view ansi)
{
    std::u32string resultado(ansi.size(), U'\0');
    for (std::size_t i = 0; i < ansi.size(); ++i)
        resultado[i] = cp1252::kPlegado[static_cast<unsigned char>(ansi[i])];
    return resultado;
}

bool IgualesSinMayusculasAnsi(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1252::kPlegado[static_cast<unsigned char>(a[i])] != cp1252::kPlegado[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

}  // namespace thn
