// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Whole small files inside a folder held by its descriptor (so::Carpeta):
// the journal, the mark, the description of a kept set, a kept table.

#include "so/sistema.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace thn {

// Creates `nombre` (it must not exist), writes `texto` and makes both the
// file and the folder's entry durable.
int EscribirEnCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::string_view texto);

// Removes `nombre`, if it is there, durably; then lists what is left.
int BorrarPrimero(const so::Carpeta& c, const std::filesystem::path& nombre,
                  std::vector<std::filesystem::path>& resto);

// The whole file; EFBIG when it holds more than `maximo` bytes.
int LeerDeCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::uint64_t maximo,
                  std::string& texto);

// Reads `nombre` a block at a time into one buffer, handing each block to
// `bloque`: a large table is read without holding it whole. EFBIG, before
// reading, when it holds more than `maximo` bytes.
int RecorrerEnCarpeta(const so::Carpeta& c, const std::filesystem::path& nombre, std::uint64_t maximo,
                      const std::function<void(std::string_view)>& bloque);
// The same of an open file; `bloque` answers false to stop there, which
// gives ECANCELED.
int Recorrer(const so::Descriptor& d, std::uint64_t maximo, const std::function<bool(std::string_view)>& bloque);

}  // namespace thn
