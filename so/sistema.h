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
#include <vector>

namespace thn::so {

class Carpeta;

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
    Descriptor(std::intptr_t fd, bool escritura) : fd_(fd), escritura_(escritura) {}
    friend int Abrir(const std::filesystem::path&, Apertura, Descriptor&);
    friend int AbrirEn(const Carpeta&, const std::filesystem::path&, Apertura, Descriptor&);
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
// What tells one state of a file from another: which file it is (device and
// inode, or volume and file index, kept when it is renamed), its size and
// when it was last written.
struct VersionFichero {
    std::uint64_t dispositivo = 0, fichero = 0, tamano = 0;
    std::int64_t escrito = 0;
    bool operator==(const VersionFichero&) const = default;
};
int Version(const Descriptor& d, VersionFichero& v);
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

// A folder held open as itself. On POSIX it is opened without following a
// link (O_NOFOLLOW | O_DIRECTORY) and every call below works through that
// descriptor, so a link planted at its name afterwards is never followed. On
// Windows a reparse point (junction, link) is refused, and the folder is held
// without delete sharing, so that nobody can move its name away meanwhile.
class Carpeta {
public:
    Carpeta() = default;
    ~Carpeta() { Cerrar(); }
    Carpeta(Carpeta&& o) noexcept : fd_(o.fd_), ruta_(std::move(o.ruta_)) { o.fd_ = -1; }
    Carpeta& operator=(Carpeta&& o) noexcept
    {
        if (this != &o) {
            Cerrar();
            fd_ = o.fd_;
            ruta_ = std::move(o.ruta_);
            o.fd_ = -1;
        }
        return *this;
    }
    Carpeta(const Carpeta&) = delete;
    Carpeta& operator=(const Carpeta&) = delete;

    explicit operator bool() const { return fd_ != -1; }
    const std::filesystem::path& Ruta() const { return ruta_; }
    void Cerrar();

private:
    friend int AbrirCarpeta(const std::filesystem::path&, bool, Carpeta&);
    friend int AbrirCarpetaEn(const Carpeta&, const std::filesystem::path&, Carpeta&);
    friend int CrearCarpetaEn(const Carpeta&, const std::filesystem::path&);
    friend int AbrirEn(const Carpeta&, const std::filesystem::path&, Apertura, Descriptor&);
    friend int BorrarEn(const Carpeta&, const std::filesystem::path&);
    friend int BorrarCarpetaEn(const Carpeta&, const std::filesystem::path&);
    friend int RenombrarEn(const Carpeta&, const std::filesystem::path&, const Carpeta&,
                           const std::filesystem::path&);
    friend int ExisteEn(const Carpeta&, const std::filesystem::path&, bool&);
    friend int Listar(const Carpeta&, std::vector<std::filesystem::path>&);
    friend int VolcarCarpeta(const Carpeta&);
    std::intptr_t fd_ = -1;
    std::filesystem::path ruta_;
};

// With `seguir_enlace` false, anything but a real folder at `ruta` (a link,
// a junction, a file) gives ENOTDIR and is left alone.
int AbrirCarpeta(const std::filesystem::path& ruta, bool seguir_enlace, Carpeta& c);
// Names below are entries of the folder; none of them is followed when it is
// a link (it is opened, renamed or removed as the link itself).
int AbrirEn(const Carpeta& c, const std::filesystem::path& nombre, Apertura modo, Descriptor& d);
int BorrarEn(const Carpeta& c, const std::filesystem::path& nombre);         // not a folder
int BorrarCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre);  // an empty folder, never a link
// A folder inside `c`, made or held as AbrirCarpeta does without following
// a link: anything but a real folder at the name gives ENOTDIR.
int CrearCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre);
int AbrirCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre, Carpeta& dentro);
// Replaces the target when it exists. On Windows a sharing violation (an
// antivirus or an indexer holding the file for an instant) is retried for a
// bounded time; so is it by Renombrar.
int RenombrarEn(const Carpeta& de, const std::filesystem::path& nombre_de, const Carpeta& a,
                const std::filesystem::path& nombre_a);
int ExisteEn(const Carpeta& c, const std::filesystem::path& nombre, bool& existe);
// The entries' names, without "." and "..".
int Listar(const Carpeta& c, std::vector<std::filesystem::path>& nombres);
int VolcarCarpeta(const Carpeta& c);

// Whether two names denote one file (the same device and inode, or volume and
// file index): on a disk that ignores letter case, two spellings of a name do.
bool MismoFichero(const std::filesystem::path& a, const std::filesystem::path& b);

// An exclusive lock on a folder, held while the object lives; it leaves no
// file behind (on Windows a hidden file in the folder, deleted on closing,
// carries the lock).
class BloqueoCarpeta {
public:
    BloqueoCarpeta() = default;
    // EWOULDBLOCK when held; EEXIST when something that is not ours stands
    // at the lock file's name (Estorbo).
    int Tomar(const std::filesystem::path& carpeta);
    const std::filesystem::path& Estorbo() const { return estorbo_; }

private:
    Descriptor d_;
    std::filesystem::path estorbo_;
};

// The system's text for an error number.
std::string Motivo(int error);

}  // namespace thn::so
