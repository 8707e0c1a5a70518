// SPDX-License-Identifier: EUPL-1.2
#pragma once
// so/: the one operating-system layer, POSIX or Win32, with its fault seam.
// The operating-system calls that touch files, in one place: the tables,
// the staging folder of the export, the result document and the INI file
// all go through them. Every call returns 0 or the system's error number
// (an errno value), so that callers word the message for their own file.
// A lock that someone else holds is reported as EWOULDBLOCK; so is, on
// Windows, a file another program opened without sharing it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace thn::so {

enum class Apertura {
    Lectura,
    LecturaEscritura,
    CrearNueva,  // write only; fails with EEXIST when the file exists
};

// An open file, closed (and so unlocked) with the object. It holds a file
// descriptor, or on Windows a HANDLE; -1 is none on both.
class Descriptor {
public:
    Descriptor() = default;
    ~Descriptor();
    Descriptor(Descriptor&& o) noexcept : fd_(o.fd_), escritura_(o.escritura_) { o.fd_ = -1; }
    Descriptor& operator=(Descriptor&& o) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    explicit operator bool() const { return fd_ != -1; }
    std::intptr_t fd() const { return fd_; }
    bool Escritura() const { return escritura_; }

private:
    friend int Abrir(const std::filesystem::path&, Apertura, Descriptor&);
    friend int Cerrar(Descriptor&);
    friend class BloqueoCarpeta;
    std::intptr_t fd_ = -1;
    bool escritura_ = false;
};

int Abrir(const std::filesystem::path& ruta, Apertura modo, Descriptor& d);
// Closes now and reports what closing reports (a late write error).
int Cerrar(Descriptor& d);

// Exclusive or shared, never waiting. Other programs may lock a file with
// flock or with POSIX record locks (programs under Wine use the latter), so
// both are taken, and a conflict with either is EWOULDBLOCK; on Windows it
// is a lock on the whole file (LockFileEx). Two descriptors of one process
// exclude each other too.
int Bloquear(const Descriptor& d, bool exclusivo);
// True while some descriptor anywhere holds any such lock on the file; on
// Windows also while any program has the file open at all.
bool BloqueadoPorOtro(const std::filesystem::path& ruta);

// Size of an open file; ENODEV for something that is not a regular file.
int Tamano(const Descriptor& d, std::uint64_t& tamano);
// Reads up to `n` bytes at `desp`; `leidos` is 0 at the end of the file.
int LeerEn(const Descriptor& d, char* destino, std::size_t n, std::uint64_t desp, std::size_t& leidos);
// Writes all `n` bytes at `desp`.
int EscribirEn(const Descriptor& d, const char* datos, std::size_t n, std::uint64_t desp);
int Truncar(const Descriptor& d, std::uint64_t tamano);
int Volcar(const Descriptor& d);  // to the disk

// Replaces `a` when it exists.
int Renombrar(const std::filesystem::path& de, const std::filesystem::path& a);
int Borrar(const std::filesystem::path& ruta);
int CrearCarpeta(const std::filesystem::path& ruta);
int BorrarCarpeta(const std::filesystem::path& ruta);  // an empty one
// Makes the folder's entries (created, renamed, removed files) durable.
int VolcarCarpeta(const std::filesystem::path& ruta);

// An exclusive lock on a folder, held while the object lives; it leaves no
// file behind (on Windows a hidden file in the folder, deleted on closing,
// carries the lock).
class BloqueoCarpeta {
public:
    BloqueoCarpeta() = default;
    int Tomar(const std::filesystem::path& carpeta);  // EWOULDBLOCK when held
private:
    Descriptor d_;
};

// The system's text for an error number.
std::string Motivo(int error);

}  // namespace thn::so
