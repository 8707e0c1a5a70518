// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What else differs between Linux and Windows outside file writes: where
// Horalia keeps its tables, the local time and the user's formats for it,
// opening a stdio file by path, and the console's text.

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

namespace thn::so {

// Horalia's working directory: "C:\HTEMP" on Windows; on Linux the folder
// that Horalia under Wine sees as C:\HTEMP ($WINEPREFIX/drive_c/HTEMP,
// WINEPREFIX defaulting to ~/.wine).
std::filesystem::path DirectorioHoralia();

std::tm HoraLocal(std::time_t t);

// strftime formats of the user's short date and long time; empty when the
// system has none.
struct FormatosFechaHora {
    std::string fecha, hora;
};
FormatosFechaHora FormatosDelUsuario();

// fopen by path (a wide path on Windows); null with errno set on failure.
std::FILE* AbrirFlujo(const std::filesystem::path& ruta, const char* modo);

// Makes the console show the UTF-8 text the program writes.
void PrepararConsola();

}  // namespace thn::so
