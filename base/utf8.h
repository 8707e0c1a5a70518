// SPDX-License-Identifier: EUPL-1.2
#pragma once
// UTF-8 decoding and encoding, one character at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace thn::utf8 {

inline constexpr char32_t kMalformado = 0xFFFFFFFF;

// The character at `i`, advancing `i` past it. A malformed sequence gives
// kMalformado and is skipped as one unit: its longest start that could
// still have become a character, or one byte (Unicode's "maximal subpart").
char32_t Siguiente(std::string_view s, std::size_t& i);

// Appends `c` (a Unicode scalar value) encoded; anything else adds nothing.
void Anadir(std::string& destino, char32_t c);

}  // namespace thn::utf8
