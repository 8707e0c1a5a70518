// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The launcher's configuration file, written beside it at install time: where
// the desktop program lives on the Linux side.

#include <string>
#include <string_view>

namespace thn::lanzador {

inline constexpr const char* kNombreConfiguracion = "transhoralianorvica.ini";
inline constexpr const char* kProgramaPorOmision = "/usr/bin/transhoralianorvica";

struct Configuracion {
    std::string programa = kProgramaPorOmision;  // a Unix path
};

// Section "[TransHoraliaNorvica]", key "Programa"; names match without regard
// to ASCII case, ";" and "#" start comments, CR LF or LF end lines, a UTF-8
// byte order mark is skipped. What is absent or empty keeps its default.
Configuracion LeerConfiguracion(std::string_view texto);

// The file's text, with CR LF line ends as Windows tools expect.
std::string TextoConfiguracion(const Configuracion& configuracion);

}  // namespace thn::lanzador
