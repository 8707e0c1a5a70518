// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: the table file itself. Locks never wait and
// conflict between two descriptors of the same process too, so two table
// objects on one file exclude each other.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "so/sistema.h"

namespace thn::dbf::detalle {

struct TablaAbierta {
    so::Descriptor fichero;
    bool solo_lectura = false;  // shared access, or a file we may not write
    std::uint64_t tamano = 0;   // the file's
    std::string principio;      // its first bytes: the whole header, whatever its length
};

// Opens `ruta` (named `tabla` in messages), locks it (exclusively or shared)
// and reads its first bytes.
TablaAbierta AbrirTabla(const std::filesystem::path& ruta, const std::string& tabla, bool exclusivo);

// Up to `n` bytes at `desp` into `destino`: fewer only where the file ends.
std::size_t LeerEn(const so::Descriptor& d, char* destino, std::size_t n, std::uint64_t desp,
                   const std::string& tabla);

// All `n` bytes at `desp`, or thn::Error naming `tabla`.
void EscribirEn(const so::Descriptor& d, const char* datos, std::size_t n, std::uint64_t desp,
                const std::string& tabla);
// Any other failed write step (truncating, flushing, closing) of `tabla`.
[[noreturn]] void FalloDeEscritura(int error, const std::string& tabla);

// Today's date as a dBASE header stores it: year − 1900, month, day.
void FechaDeHoy(unsigned char* p);

// Fails with "La tabla '…' está abierta por otro programa" when a lock
// conflicts, with the system's reason otherwise.
[[noreturn]] void FalloDeBloqueo(int error, const std::string& tabla);

std::string ErrorSistema(int error);

}  // namespace thn::dbf::detalle
