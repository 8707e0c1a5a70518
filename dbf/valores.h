// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: a field's value inside a record buffer, read
// as text or number and written from text, integer, double or logical.
// `r` is always a whole record (deletion flag first) of the table laid out
// by `e`; errors name the field and, where the value is the file's, the file.

#include "dbf/estructura.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace thn::dbf::detalle {

// ---- reading ----

bool EsNulo(const Estructura& e, const Campo& c, const unsigned char* r);

// A character or date field's text read in place: Texto without the copy.
std::string_view TextoEnSitio(const Estructura& e, const Campo& c, const unsigned char* r);

// The value as text: C and D without trailing blanks, numbers in shortest
// decimal form with `separador`, logical "T"/"F", "" when null.
std::string Texto(const Estructura& e, const Campo& c, const unsigned char* r, char separador);

// The value of a numeric kind (N F I + O B Y); nullopt when null or not numeric.
std::optional<double> Numero(const Estructura& e, const Campo& c, const unsigned char* r);

bool LogicoVerdadero(unsigned char b);
bool LogicoFalso(unsigned char b);

// A field read as a number. A character or date field gives its `texto`,
// for the caller to parse by its own rule; any other field its `numero`: a
// logical as 0 or 1, a number as stored, nullopt when null. An unreadable
// field fails.
struct NumeroDeCampo {
    std::optional<std::string> texto;
    std::optional<double> numero;
};
NumeroDeCampo LeerNumeroDeCampo(const Estructura& e, const Campo& c, const unsigned char* r, char separador);

[[noreturn]] void NoLegible(const Estructura& e, const Campo& c);
[[noreturn]] void NoAdmite(const Estructura& e, const Campo& c, const char* que);

// ---- writing ----

// A record with every field null or blank.
std::string RegistroEnBlanco(const Estructura& e);

// What records made apart from a table need of it: its layout and blank
// record, and who it is, to refuse another table's columns.
struct Molde {
    const void* tabla;
    Estructura e;
    std::string en_blanco;
};

void EscribirNulo(const Estructura& e, const Campo& c, unsigned char* r);
// Character and date fields: cut to the width. Others: converted (integer
// rules for N without decimals, I; float rules for N with decimals, F, O, B, Y;
// T/F for L); blank text gives null.
void EscribirTexto(const Estructura& e, const Campo& c, unsigned char* r, std::string_view ansi);
// A character or date field's bytes: the text cut to the width, padded with
// blanks; its null flag, if it has one, is left alone.
inline void EscribirCaracteres(const Campo& c, unsigned char* r, std::string_view ansi)
{
    const auto ancho = static_cast<std::size_t>(c.ancho);
    const std::size_t n = std::min(ansi.size(), ancho);
    if (n != 0)  // an empty view may have no data at all
        std::memcpy(r + c.desp, ansi.data(), n);
    std::memset(r + c.desp + n, ' ', ancho - n);
}
void EscribirEntero(const Estructura& e, const Campo& c, unsigned char* r, std::int32_t v);
void EscribirFlotante(const Estructura& e, const Campo& c, unsigned char* r, double v);
void EscribirLogico(const Estructura& e, const Campo& c, unsigned char* r, bool v);

// Shortest decimal text of a double, without an exponent while that stays short.
std::string TextoFlotante(double v, char separador);

}  // namespace thn::dbf::detalle
