// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Text helpers shared by both directions.
//
// Two kinds of text meet here: the centre document's text (UTF-8, as libxml2
// hands it over) and the working tables' text (Windows-1252 bytes, "ANSI").
// Functions that take or give table text say so with `Ansi` in their name.

#include <cstddef>
#include <string>
#include <string_view>

namespace thn {

// Removes every leading and trailing character U+0020 or below.
std::string_view Recortar(std::string_view texto);

// UTF-8 -> Windows-1252; a character the code page cannot hold becomes '?'.
// Malformed UTF-8 sequences become '?' too.
std::string AAnsi(std::string_view utf8);

// Windows-1252 -> UTF-8.
std::string DesdeAnsi(std::string_view ansi);

// Case-insensitive equality of two table texts, by simple (one character to
// one character) case folding: "MGR" equals "mgr", "Ñ" equals "ñ", "a" differs from "á".
bool IgualesSinMayusculasAnsi(std::string_view a, std::string_view b);

// The folded form that IgualesSinMayusculasAnsi compares; equal texts have
// equal forms, so it can key a hash set. Each character gives one UTF-32 unit.
std::u32string PlegadoAnsi(std::string_view ansi);

// First `n` characters of a table text (all of it when shorter).
inline std::string_view PrimerosAnsi(std::string_view ansi, std::size_t n)
{
    return ansi.substr(0, n);
}

}  // namespace thn
