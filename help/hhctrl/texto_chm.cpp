// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/texto_chm.h"

#include <array>
#include <charconv>
#include <utility>

namespace thn::chm {
namespace {

// 0x80-0x9F of windows-1252; 0 where the code page assigns nothing.
constexpr std::array<char32_t, 32> kAltos = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr std::pair<std::string_view, char32_t> kEntidades[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"iexcl", 0xA1},   {"copy", 0xA9},    {"laquo", 0xAB},   {"raquo", 0xBB},
    {"ordf", 0xAA},    {"ordm", 0xBA},    {"iquest", 0xBF},  {"Aacute", 0xC1},  {"Eacute", 0xC9},
    {"Iacute", 0xCD},  {"Ntilde", 0xD1},  {"Oacute", 0xD3},  {"Uacute", 0xDA},  {"Uuml", 0xDC},
    {"aacute", 0xE1},  {"eacute", 0xE9},  {"iacute", 0xED},  {"ntilde", 0xF1},  {"oacute", 0xF3},
    {"uacute", 0xFA},  {"uuml", 0xFC},    {"ccedil", 0xE7},  {"Ccedil", 0xC7},  {"euro", 0x20AC},
    {"ndash", 0x2013}, {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"hellip", 0x2026}};

void AnadirUtf8(std::string& salida, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || c == 0)
        c = 0xFFFD;
    if (c < 0x80) {
        salida += static_cast<char>(c);
    } else if (c < 0x800) {
        salida += static_cast<char>(0xC0 | (c >> 6));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        salida += static_cast<char>(0xE0 | (c >> 12));
        salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        salida += static_cast<char>(0xF0 | (c >> 18));
        salida += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        salida += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        salida += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character of the entity body between "&" and ";".
bool Entidad(std::string_view cuerpo, char32_t& c)
{
    if (cuerpo.size() > 1 && cuerpo[0] == '#') {
        const bool hex = cuerpo[1] == 'x' || cuerpo[1] == 'X';
        const std::string_view digitos = cuerpo.substr(hex ? 2 : 1);
        std::uint32_t valor = 0;
        const auto [fin, error] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), valor, hex ? 16 : 10);
        if (digitos.empty() || error != std::errc() || fin != digitos.data() + digitos.size())
            return false;
        c = valor;
        return true;
    }
    for (const auto& [nombre, caracter] : kEntidades)
        if (nombre == cuerpo) {
            c = caracter;
            return true;
        }
    return false;
}

}  // namespace

std::string DesdeWindows1252(std::string_view texto)
{
    std::string salida;
    salida.reserve(texto.size() + texto.size() / 8);
    for (char byte : texto) {
        const auto u = static_cast<unsigned char>(byte);
        if (u < 0x80)
            salida += byte;
        else if (u < 0xA0)
            AnadirUtf8(salida, kAltos[u - 0x80] ? kAltos[u - 0x80] : 0xFFFD);
        else
            AnadirUtf8(salida, u);
    }
    return salida;
}

std::string DecodificarEntidades(std::string_view texto)
{
    constexpr std::size_t kLargoMaximo = 10;  // "&#x10FFFF;" and the longest names fit
    std::string salida;
    salida.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '&') {
            const std::size_t fin = texto.find(';', i + 1);
            char32_t c = 0;
            if (fin != std::string_view::npos && fin - i - 1 <= kLargoMaximo && Entidad(texto.substr(i + 1, fin - i - 1), c)) {
                AnadirUtf8(salida, c);
                i = fin;
                continue;
            }
        }
        salida += texto[i];
    }
    return salida;
}

}  // namespace thn::chm
