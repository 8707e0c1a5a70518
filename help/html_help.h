// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The HTML Help entry point and its commands, as the viewer calls it and the
// plugin beside the program provides it. Shared by both sides of the call;
// plain C types, since it crosses a library boundary.

#include <stdint.h>

extern "C" {

// Window of the caller (0 for none), file text (UTF-8, may be null), command,
// data (a number, or a pointer to a NUL-terminated UTF-8 text). Answers the
// help window's handle, 0 when nothing was shown.
typedef intptr_t (*HtmlHelpFuncion)(intptr_t ventana, const char* fichero, unsigned int orden, uintptr_t datos);

}

namespace thn::ayuda {

// The library and its entry point, looked for by name.
inline constexpr const char* kPuntoEntradaHtmlHelp = "HtmlHelpA";

inline constexpr unsigned int HH_DISPLAY_TOPIC = 0;  // file: "help file::/topic"
inline constexpr unsigned int HH_DISPLAY_TOC = 1;
inline constexpr unsigned int HH_DISPLAY_INDEX = 2;  // data: the keyword
inline constexpr unsigned int HH_HELP_CONTEXT = 15;  // data: the context number
inline constexpr unsigned int HH_CLOSE_ALL = 18;     // no file

}  // namespace thn::ayuda
