// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Text rules of the help pieces: comparisons that ignore ASCII letter case,
// as the help manager's string lists do, and trimming of blanks and control
// characters.

#include <string>
#include <string_view>

namespace thn::ayuda {

// <0, 0, >0 as `a` sorts before, with or after `b`, ASCII letters folded.
int CompararSinMayusculas(std::string_view a, std::string_view b);
// Without the characters up to blank (control characters included) at both ends.
std::string Recortar(std::string_view texto);

}  // namespace thn::ayuda
