// SPDX-License-Identifier: EUPL-1.2
#pragma once
// trabajo/: Horalia's working directory: its tables, the lock, the staging
// of an export and its journal.
// The directory itself, "C:\HTEMP", and how files in it are found.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace thn {

// The working directory: "C:\HTEMP" on Windows; on Linux the directory that
// Horalia under Wine sees as C:\HTEMP ($WINEPREFIX/drive_c/HTEMP, WINEPREFIX
// defaulting to ~/.wine). TRANSHORALIA_HTEMP overrides both; `explicito`
// (the CLI's --htemp) overrides everything. It is never created here.
std::filesystem::path DirectorioTrabajo(const std::optional<std::filesystem::path>& explicito = std::nullopt);

// Fails with a message naming the directory when it does not exist or is a file.
void ComprobarDirectorioTrabajo(const std::filesystem::path& directorio);

// The file `nombre` in `directorio`, matched without regard to letter case
// (programs under Wine may write either case); nullopt when there is none.
// An exact match wins over other spellings.
std::optional<std::filesystem::path> BuscarFichero(const std::filesystem::path& directorio,
                                                   const std::string& nombre);

// Every spelling of `nombre` in `directorio`, the exact one first.
std::vector<std::filesystem::path> TodasLasGrafias(const std::filesystem::path& directorio,
                                                   const std::string& nombre);

// Deletes every spelling of `nombre` in `directorio`; failures are not reported.
void BorrarFichero(const std::filesystem::path& directorio, const std::string& nombre);

}  // namespace thn
