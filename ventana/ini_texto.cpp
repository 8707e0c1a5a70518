// SPDX-License-Identifier: EUPL-1.2
#include "ventana/ini.h"

#include "base/ascii.h"

#include <optional>
#include <vector>

namespace thn::ventana {
namespace {

struct Linea {
    std::size_t inicio;      // first byte
    std::size_t fin;         // end of the text, before "\r\n" or "\n"
    std::size_t siguiente;   // first byte of the next line
};

std::vector<Linea> Lineas(std::string_view t)
{
    std::vector<Linea> lineas;
    std::size_t inicio = 0;
    while (inicio < t.size()) {
        const std::size_t nl = t.find('\n', inicio);
        const std::size_t siguiente = nl == std::string_view::npos ? t.size() : nl + 1;
        std::size_t fin = nl == std::string_view::npos ? t.size() : nl;
        if (fin > inicio && t[fin - 1] == '\r')
            --fin;
        lineas.push_back({inicio, fin, siguiente});
        inicio = siguiente;
    }
    return lineas;
}

bool EsBlanco(char c) { return c == ' ' || c == '\t'; }

std::string_view Recortar(std::string_view s)
{
    while (!s.empty() && EsBlanco(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && EsBlanco(s.back()))
        s.remove_suffix(1);
    return s;
}

// The name of a "[name]" line, trimmed; nullopt for any other line.
std::optional<std::string_view> NombreSeccion(std::string_view linea)
{
    linea = Recortar(linea);
    if (linea.empty() || linea.front() != '[')
        return std::nullopt;
    const std::size_t cierre = linea.find(']');
    if (cierre == std::string_view::npos)
        return std::nullopt;
    return Recortar(linea.substr(1, cierre - 1));
}

std::string FinDeLinea(std::string_view t)
{
    const std::size_t nl = t.find('\n');
    if (nl == std::string_view::npos)
        return "\r\n";  // the host's own convention
    return nl > 0 && t[nl - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace

std::string ConValorIni(std::string_view t, std::string_view seccion, std::string_view clave, std::string_view valor)
{
    const std::string eol = FinDeLinea(t);
    const std::string nueva_clave = std::string(clave) + "=" + std::string(valor) + eol;
    const auto lineas = Lineas(t);
    // A UTF-8 byte order mark is not part of the first line's text.
    const std::size_t bom = t.starts_with("\xEF\xBB\xBF") ? 3 : 0;

    std::optional<std::size_t> ultima;  // index of the section's last non-blank line
    for (std::size_t i = 0; i < lineas.size(); ++i) {
        const Linea& l = lineas[i];
        const std::size_t desde = i == 0 ? std::min(bom, l.fin) : l.inicio;
        const std::string_view texto = t.substr(desde, l.fin - desde);
        if (const auto nombre = NombreSeccion(texto)) {
            if (ultima)
                break;  // the first matching section ended without the key
            if (IgualesSinCasoAscii(*nombre, seccion))
                ultima = i;
            continue;
        }
        if (!ultima)
            continue;
        if (!Recortar(texto).empty())
            ultima = i;
        const std::size_t igual = texto.find('=');
        if (igual == std::string_view::npos || !IgualesSinCasoAscii(Recortar(texto.substr(0, igual)), clave))
            continue;
        // Only the value changes: blanks around it and the line ending stay.
        std::size_t inicio = desde + igual + 1;
        while (inicio < l.fin && EsBlanco(t[inicio]))
            ++inicio;
        std::size_t fin = l.fin;
        while (fin > inicio && EsBlanco(t[fin - 1]))
            --fin;
        return std::string(t.substr(0, inicio)) + std::string(valor) + std::string(t.substr(fin));
    }

    std::string resultado;
    if (ultima) {
        const Linea& l = lineas[*ultima];
        resultado = std::string(t.substr(0, l.siguiente));
        if (l.siguiente == l.fin)  // the file ends on that line, without a line ending
            resultado += eol;
        return resultado + nueva_clave + std::string(t.substr(l.siguiente));
    }
    resultado = std::string(t);
    if (!resultado.empty() && resultado.back() != '\n')
        resultado += eol;
    return resultado + "[" + std::string(seccion) + "]" + eol + nueva_clave;
}

}  // namespace thn::ventana
