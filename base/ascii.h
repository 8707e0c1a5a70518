// SPDX-License-Identifier: EUPL-1.2
#pragma once
// ASCII case folding, for names the system compares without case whatever
// the locale: file names, command-line words, INI sections and keys. Bytes
// outside A-Z are left as they are. Header-only: the Wine launcher uses it too.

#include <cstddef>
#include <string>
#include <string_view>

namespace thn {

constexpr char MinusculaAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string MinusculasAscii(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        c = MinusculaAscii(c);
    return r;
}

inline bool IgualesSinCasoAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (MinusculaAscii(a[i]) != MinusculaAscii(b[i]))
            return false;
    return true;
}

}  // namespace thn
