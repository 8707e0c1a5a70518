// SPDX-License-Identifier: EUPL-1.2
#include "documento/codificacion_xml.h"

#include "base/cp1252.h"
#include "base/utf8.h"

#include <libxml/encoding.h>

#include <string>
#include <string_view>

namespace thn::documento {
namespace {

int ByteDe(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF && cp1252::kUnicode[c] == c))
        return static_cast<int>(c);
    for (int b = 0x80; b < 0x100; ++b)
        if (cp1252::kUnicode[b] == c)
            return b;
    return -1;
}

// libxml2's input converter: bytes to UTF-8, as many as fit.
int DesdeWindows1252(unsigned char* salida, int* largo_salida, const unsigned char* entrada, int* largo_entrada)
{
    int leidos = 0, escritos = 0;
    std::string utf8;
    for (; leidos < *largo_entrada; ++leidos) {
        utf8.clear();
        utf8::Anadir(utf8, cp1252::kUnicode[entrada[leidos]]);
        if (escritos + static_cast<int>(utf8.size()) > *largo_salida)
            break;
        for (char c : utf8)
            salida[escritos++] = static_cast<unsigned char>(c);
    }
    *largo_entrada = leidos;
    *largo_salida = escritos;
    return escritos;
}

// libxml2's output converter: UTF-8 to bytes. A character the page lacks
// stops it with -2, and libxml2 writes it as a character reference.
int AWindows1252(unsigned char* salida, int* largo_salida, const unsigned char* entrada, int* largo_entrada)
{
    if (entrada == nullptr) {  // libxml2's start-up call: nothing to write
        *largo_salida = 0;
        *largo_entrada = 0;
        return 0;
    }
    const std::string_view texto(reinterpret_cast<const char*>(entrada), static_cast<std::size_t>(*largo_entrada));
    std::size_t leidos = 0;
    int escritos = 0, resultado = 0;
    while (leidos < texto.size() && escritos < *largo_salida) {
        std::size_t siguiente = leidos;
        const char32_t c = utf8::Siguiente(texto, siguiente);
        if (c == utf8::kMalformado && siguiente >= texto.size() && texto.size() - leidos < 4)
            break;  // a character cut at the end of this piece: it comes whole with the next
        const int b = c == utf8::kMalformado ? -1 : ByteDe(c);
        if (b < 0) {
            resultado = -2;
            break;
        }
        salida[escritos++] = static_cast<unsigned char>(b);
        leidos = siguiente;
    }
    *largo_entrada = static_cast<int>(leidos);
    *largo_salida = escritos;
    return resultado < 0 ? resultado : escritos;
}

}  // namespace

void RegistrarWindows1252()
{
    xmlNewCharEncodingHandler("windows-1252", DesdeWindows1252, AWindows1252);
    xmlAddEncodingAlias("WINDOWS-1252", "CP1252");
}

}  // namespace thn::documento
