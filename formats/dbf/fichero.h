// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Internal to the table engine: the table file itself. Locks are flock() on
// the file, never waiting, and conflict between two descriptors of the same
// process too, so two table objects on one file exclude each other.

#include <cstddef>
#include <filesystem>
#include <string>

#include <sys/types.h>

namespace thn::dbf::detalle {

// An open file descriptor, closed (and so unlocked) with the object.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { Cerrar(); }
    Descriptor(Descriptor&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    Descriptor& operator=(Descriptor&& o) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int fd() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void Cerrar() noexcept;
    // Gives up the descriptor without closing it.
    int Soltar() noexcept
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_ = -1;
};

struct TablaAbierta {
    Descriptor fichero;
    bool solo_lectura = false;  // shared access, or a file we may not write
    std::string datos;          // the whole file
};

// Opens `ruta` (named `tabla` in messages), locks it (LOCK_EX for exclusive
// access, LOCK_SH for shared) and reads it whole.
TablaAbierta AbrirTabla(const std::filesystem::path& ruta, const std::string& tabla, bool exclusivo);

// pwrite of all `n` bytes at `desp`, or thn::Error naming `tabla`.
void EscribirEn(int fd, const char* datos, std::size_t n, off_t desp, const std::string& tabla);

// Today's date as a dBASE header stores it: year − 1900, month, day.
void FechaDeHoy(unsigned char* p);

// Fails with "La tabla '…' está abierta por otro programa" when a lock
// conflicts, with the system's reason otherwise.
[[noreturn]] void FalloDeBloqueo(int error, const std::string& tabla);

std::string ErrorSistema(int error);

}  // namespace thn::dbf::detalle
