// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Putting the Wine launcher beside Horalia in a Wine prefix, and taking it
// away again, without touching anything else there.

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace thn::cli {

struct InstalacionWine {
    std::filesystem::path prefijo;                 // the Wine prefix
    std::optional<std::filesystem::path> horalia;  // Horalia's folder, a Unix or Windows path
    std::filesystem::path programa;                // the desktop program the launcher starts
    std::filesystem::path lanzadores;              // transhoralianorvica32.exe and ...64.exe
    bool quitar = false;
};

// Installs (or removes) and returns one line per thing done. Fails with
// thn::Error, before changing anything, when the prefix or Horalia's folder is
// not there, a launcher is missing, or a program of the launcher's name that
// is not a launcher is in the way.
std::vector<std::string> InstalarWine(const InstalacionWine& instalacion);

// The command "instalar-wine" with its options (`argumentos` after the
// command's name); exit status 0 done, 1 error, 2 usage.
int OrdenInstalarWine(const std::vector<std::string>& argumentos, std::ostream& salida, std::ostream& errores);

}  // namespace thn::cli
