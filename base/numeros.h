// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Number texts as the users' programs read and write them.

#include <cstdint>
#include <string>
#include <string_view>

namespace thn {

// Integer text: optional leading blanks, optional sign, then decimal digits,
// or hexadecimal digits (either case) after "$", "x" or "0x"; nothing else,
// the empty text included. Decimal values must lie in the signed 32-bit
// range; hexadecimal ones may use all 32 bits (so "$FFFFFFFF" is -1).
// Fails with "'%s' no es un valor entero válido".
std::int32_t EnteroDesdeTexto(std::string_view texto);

// Same rules, without throwing.
bool ProbarEnteroDesdeTexto(std::string_view texto, std::int32_t& valor);

// Decimal number text with the given decimal separator: leading and trailing
// blanks, optional sign, digits with at most one separator, optional exponent.
// Fails with "'%s' no es un valor punto flotante válido".
double FlotanteDesdeTexto(std::string_view texto, char separador);

// The same rules with "," or "." as the separator, whatever the locale: a
// count of hours never carries a thousands separator, so either mark can
// only be the decimal one.
double FlotanteConCualquierSeparador(std::string_view texto);

// Decimal text without leading zeros, "-" when negative.
std::string TextoDesdeEntero(std::int64_t valor);

// Shortest decimal text that reads back as the same double, with the given
// separator: 3 gives "3", 2.5 gives "2,5" with a comma.
std::string TextoDesdeFlotante(double valor, char separador);

// The decimal separator of the user's locale (LC_NUMERIC after setlocale).
char SeparadorDecimalDelUsuario();

}  // namespace thn
