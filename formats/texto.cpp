// SPDX-License-Identifier: EUPL-1.2
#include "formats/texto.h"

#include <unicode/ucnv.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <array>

namespace thn {
namespace {

// Windows-1252 <-> Unicode tables, built once from ICU's converter: every
// conversion is then a table look-up, fast on a school's whole data.
struct TablasCp1252 {
    std::array<char32_t, 256> a_unicode{};
    std::array<char32_t, 256> plegado{};
    // Unicode -> byte for the characters above U+00FF that the code page holds.
    std::array<std::pair<char32_t, unsigned char>, 32> altos{};
    std::size_t num_altos = 0;

    TablasCp1252()
    {
        UErrorCode estado = U_ZERO_ERROR;
        UConverter* conv = ucnv_open("windows-1252", &estado);
        for (int b = 0; b < 256; ++b) {
            char32_t cp = static_cast<char32_t>(b);
            if (U_SUCCESS(estado)) {
                const char byte = static_cast<char>(b);
                const char* origen = &byte;
                UErrorCode e = U_ZERO_ERROR;
                UChar32 c = ucnv_getNextUChar(conv, &origen, origen + 1, &e);
                ucnv_reset(conv);
                if (U_SUCCESS(e) && c != 0xFFFD && c != 0x1A)
                    cp = static_cast<char32_t>(c);
            }
            a_unicode[b] = cp;
            plegado[b] = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(cp), U_FOLD_CASE_DEFAULT));
            if (cp > 0xFF && num_altos < altos.size())
                altos[num_altos++] = {cp, static_cast<unsigned char>(b)};
        }
        if (conv)
            ucnv_close(conv);
    }

    int Byte(char32_t cp) const
    {
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
            return static_cast<int>(cp);
        if (cp <= 0xFF)  // C1 controls: held only where the page leaves the byte undefined
            return a_unicode[cp] == cp ? static_cast<int>(cp) : -1;
        for (std::size_t i = 0; i < num_altos; ++i)
            if (altos[i].first == cp)
                return altos[i].second;
        return -1;
    }
};

const TablasCp1252& Tablas()
{
    static const TablasCp1252 tablas;
    return tablas;
}

void AnadirUtf8(std::string& destino, char32_t cp)
{
    char buf[U8_MAX_LENGTH];
    int32_t n = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(buf), n, U8_MAX_LENGTH, static_cast<UChar32>(cp), error);
    if (!error)
        destino.append(buf, static_cast<std::size_t>(n));
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
    const auto& t = Tablas();
    std::string resultado;
    resultado.reserve(utf8.size());
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto longitud = static_cast<int32_t>(utf8.size());
    int32_t i = 0;
    while (i < longitud) {
        if (s[i] < 0x80) {
            resultado += static_cast<char>(s[i++]);
            continue;
        }
        UChar32 c;
        U8_NEXT(s, i, longitud, c);
        const int b = c < 0 ? -1 : t.Byte(static_cast<char32_t>(c));
        resultado += b < 0 ? '?' : static_cast<char>(b);
    }
    return resultado;
}

std::string DesdeAnsi(std::string_view ansi)
{
    const auto& t = Tablas();
    std::string resultado;
    resultado.reserve(ansi.size() + ansi.size() / 4);
    for (char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            resultado += c;
        else
            AnadirUtf8(resultado, t.a_unicode[b]);
    }
    return resultado;
}

std::u32string PlegadoAnsi(std::string_view ansi)
{
    const auto& t = Tablas();
    std::u32string resultado(ansi.size(), U'\0');
    for (std::size_t i = 0; i < ansi.size(); ++i)
        resultado[i] = t.plegado[static_cast<unsigned char>(ansi[i])];
    return resultado;
}

bool IgualesSinMayusculasAnsi(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    const auto& t = Tablas();
    for (std::size_t i = 0; i < a.size(); ++i)
        if (t.plegado[static_cast<unsigned char>(a[i])] != t.plegado[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

}  // namespace thn
