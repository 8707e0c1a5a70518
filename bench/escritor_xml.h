// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Appends XML text to a string: elements of attributes only, one per line.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace thn::bench {

class EscritorXml {
public:
    explicit EscritorXml(std::string& salida) : salida_(salida) {}

    // "<nombre" after `sangria` levels of two blanks; attributes follow.
    void Abrir(std::string_view nombre, int sangria)
    {
        salida_.append(static_cast<std::size_t>(2 * sangria), ' ');
        salida_ += '<';
        salida_ += nombre;
    }

    void CerrarVacio() { salida_ += "/>\n"; }
    void CerrarApertura() { salida_ += ">\n"; }

    void Fin(std::string_view nombre, int sangria)
    {
        salida_.append(static_cast<std::size_t>(2 * sangria), ' ');
        salida_ += "</";
        salida_ += nombre;
        salida_ += ">\n";
    }

    void Atributo(std::string_view nombre, std::string_view valor)
    {
        EmpezarAtributo(nombre);
        Escapado(valor);
        salida_ += '"';
    }

    void Atributo(std::string_view nombre, std::uint64_t valor)
    {
        EmpezarAtributo(nombre);
        Numero(valor);
        salida_ += '"';
    }

    // Raw pieces of an attribute value, for values built in parts.
    void EmpezarAtributo(std::string_view nombre)
    {
        salida_ += ' ';
        salida_ += nombre;
        salida_ += "=\"";
    }
    void Texto(std::string_view texto) { Escapado(texto); }
    void Numero(std::uint64_t valor)
    {
        char cifras[20];
        const auto fin = std::to_chars(cifras, cifras + sizeof cifras, valor).ptr;
        salida_.append(cifras, fin);
    }
    void TerminarAtributo() { salida_ += '"'; }

    void Linea(std::string_view texto)
    {
        salida_ += texto;
        salida_ += '\n';
    }

private:
    void Escapado(std::string_view texto)
    {
        for (;;) {
            const auto especial = texto.find_first_of("&<>\"");
            salida_.append(texto.substr(0, especial));
            if (especial == std::string_view::npos) {
                return;
            }
            switch (texto[especial]) {
            case '&': salida_ += "&amp;"; break;
            case '<': salida_ += "&lt;"; break;
            case '>': salida_ += "&gt;"; break;
            default: salida_ += "&quot;"; break;
            }
            texto.remove_prefix(especial + 1);
        }
    }

    std::string& salida_;
};

}  // namespace thn::bench
