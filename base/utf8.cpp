// SPDX-License-Identifier: EUPL-1.2
#include "base/utf8.h"

namespace thn::utf8 {

char32_t Siguiente(std::string_view s, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i++);
    if (b0 < 0x80)
        return b0;
    int resto;
    char32_t c;
    // The second byte's range narrows for the first bytes that would
    // otherwise allow overlong forms, surrogates or values above U+10FFFF.
    unsigned char min = 0x80, max = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        resto = 1, c = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        resto = 2, c = b0 & 0x0F;
        if (b0 == 0xE0) min = 0xA0;
        if (b0 == 0xED) max = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        resto = 3, c = b0 & 0x07;
        if (b0 == 0xF0) min = 0x90;
        if (b0 == 0xF4) max = 0x8F;
    } else {
        return kMalformado;
    }
    for (int k = 0; k < resto; ++k, min = 0x80, max = 0xBF) {
        if (i >= s.size() || byte(i) < min || byte(i) > max)
            return kMalformado;
        c = (c << 6) | (byte(i++) & 0x3F);
    }
    return c;
}

void Anadir(std::string& destino, char32_t c)
{
    const auto poner = [&](char32_t v) { destino += static_cast<char>(v); };
    if (c < 0x80) {
        poner(c);
    } else if (c < 0x800) {
        poner(0xC0 | (c >> 6)), poner(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        if (c >= 0xD800 && c <= 0xDFFF)
            return;
        poner(0xE0 | (c >> 12)), poner(0x80 | ((c >> 6) & 0x3F)), poner(0x80 | (c & 0x3F));
    } else if (c <= 0x10FFFF) {
        poner(0xF0 | (c >> 18)), poner(0x80 | ((c >> 12) & 0x3F)), poner(0x80 | ((c >> 6) & 0x3F)),
            poner(0x80 | (c & 0x3F));
    }
}

}  // namespace thn::utf8
