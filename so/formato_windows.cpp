// SPDX-License-Identifier: EUPL-1.2
#include "so/formato_windows.h"

namespace thn::so {
namespace {

// The strftime conversion of `n` repeats of the picture letter `c`.
std::string Conversion(char c, std::size_t n)
{
    switch (c) {
    case 'd': return n == 1 ? "%#d" : n == 2 ? "%d" : n == 3 ? "%a" : "%A";
    case 'M': return n == 1 ? "%#m" : n == 2 ? "%m" : n == 3 ? "%b" : "%B";
    case 'y': return n == 1 ? "%#y" : n == 2 ? "%y" : "%Y";
    case 'h': return n == 1 ? "%#I" : "%I";
    case 'H': return n == 1 ? "%#H" : "%H";
    case 'm': return n == 1 ? "%#M" : "%M";
    case 's': return n == 1 ? "%#S" : "%S";
    case 't': return "%p";
    case 'g': return "";
    }
    return {};
}

}  // namespace

std::string StrftimeDesdeWindows(std::string_view imagen)
{
    constexpr std::string_view kLetras = "dMyhHmstg";
    std::string salida;
    for (std::size_t i = 0; i < imagen.size();) {
        const char c = imagen[i];
        if (c == '\'') {
            // 'literal'; '' inside quotes is one quote
            for (++i; i < imagen.size(); ++i) {
                if (imagen[i] == '\'' && (i + 1 >= imagen.size() || imagen[i + 1] != '\''))
                    break;
                if (imagen[i] == '\'')
                    ++i;
                salida += imagen[i] == '%' ? "%%" : std::string(1, imagen[i]);
            }
            ++i;
        } else if (kLetras.find(c) != std::string_view::npos) {
            std::size_t n = 1;
            while (i + n < imagen.size() && imagen[i + n] == c)
                ++n;
            salida += Conversion(c, n);
            i += n;
        } else {
            salida += c == '%' ? "%%" : std::string(1, c);
            ++i;
        }
    }
    return salida;
}

}  // namespace thn::so
