// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Windows-1252, the code page of the working tables, as two fixed tables of
// 256 entries generated once from ICU (tests/herramientas/generar_cp1252.cpp)
// and checked against it by the tests: both editions convert and compare
// table text the same way, without ICU at run time.

#include <array>

namespace thn::cp1252 {

// The Unicode character of each byte; bytes the code page leaves undefined
// stand for the C1 control of the same number.
extern const std::array<char32_t, 256> kUnicode;

// Simple (one to one) case folding of each byte's character, as ICU folds:
// the micro sign folds to Greek mu, which Windows' lower-casing leaves alone.
extern const std::array<char32_t, 256> kPlegado;

}  // namespace thn::cp1252
