// SPDX-License-Identifier: EUPL-1.2
#include "so/sistema.h"
#include "so/punto_de_fallo.h"

#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace thn::so {
namespace {

int Resultado(bool ok) { return ok ? 0 : (errno != 0 ? errno : EIO); }

// The failing build serves tests, which run whole actions thousands of times
// and cannot observe durability: the flush itself, most of their time, is
// left out there.
int Sincronizar(int fd)
{
#ifdef THN_SO_PRUEBAS
    (void)fd;
    return 0;
#else
    return Resultado(::fsync(fd) == 0);
#endif
}

int Fd(const Descriptor& d) { return static_cast<int>(d.fd()); }

// A whole-file record lock owned by the open file description (not by the
// process), so that it conflicts with every other descriptor as flock does.
struct flock RegistroEntero(short tipo)
{
    struct flock l {};
    l.l_type = tipo;
    l.l_whence = SEEK_SET;
    l.l_start = 0;
    l.l_len = 0;
    return l;
}

// `ruta` relative to the folder `carpeta` (AT_FDCWD: the current one).
int AbrirFd(int carpeta, const std::filesystem::path& ruta, Apertura modo, int mas_banderas, int& fd)
{
    int banderas = O_CLOEXEC | mas_banderas;
    switch (modo) {
    case Apertura::Lectura: banderas |= O_RDONLY; break;
    case Apertura::LecturaEscritura: banderas |= O_RDWR; break;
    case Apertura::CrearNueva: banderas |= O_WRONLY | O_CREAT | O_EXCL; break;
    }
    if (modo != Apertura::Lectura)
        THN_PUNTO_DE_FALLO("abrir");
    do
        fd = ::openat(carpeta, ruta.c_str(), banderas, 0666);
    while (fd < 0 && errno == EINTR);
    return fd < 0 ? Resultado(false) : 0;
}

bool EsConflicto(int e) { return e == EWOULDBLOCK || e == EAGAIN || e == EACCES; }

}  // namespace

Descriptor::~Descriptor()
{
    if (fd_ >= 0)
        ::close(static_cast<int>(fd_));
}

Descriptor& Descriptor::operator=(Descriptor&& o) noexcept
{
    if (this != &o) {
        if (fd_ >= 0)
            ::close(static_cast<int>(fd_));
        fd_ = o.fd_;
        escritura_ = o.escritura_;
        o.fd_ = -1;
    }
    return *this;
}

int Abrir(const std::filesystem::path& ruta, Apertura modo, Descriptor& d)
{
    int fd = -1;
    const int error = AbrirFd(AT_FDCWD, ruta, modo, 0, fd);
    if (error == 0)
        d = Descriptor(fd, modo != Apertura::Lectura);
    return error;
}

int Cerrar(Descriptor& d)
{
    if (d.fd_ < 0)
        return 0;
    const int fd = static_cast<int>(d.fd_);
    d.fd_ = -1;
    // Released whatever happens: a failed close is never retried.
    const int inyectado = d.escritura_ ? THN_FALLO_INYECTADO("cerrar") : 0;
    const int r = ::close(fd) == 0 || errno == EINTR ? 0 : Resultado(false);
    return inyectado != 0 ? inyectado : r;
}

int Bloquear(const Descriptor& d, bool exclusivo)
{
    THN_PUNTO_DE_FALLO("bloquear");
    if (::flock(Fd(d), (exclusivo ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0)
        return EsConflicto(errno) ? EWOULDBLOCK : Resultado(false);
    // A write lock needs a descriptor open for writing; one that may only
    // read holds the file with a read lock, which still keeps writers out.
    struct flock l = RegistroEntero(exclusivo && d.Escritura() ? F_WRLCK : F_RDLCK);
    if (::fcntl(Fd(d), F_OFD_SETLK, &l) != 0) {
        const int e = errno;
        ::flock(Fd(d), LOCK_UN);
        return EsConflicto(e) ? EWOULDBLOCK : e;
    }
    return 0;
}

bool BloqueadoPorOtro(const std::filesystem::path& ruta)
{
    Descriptor d;
    if (Abrir(ruta, Apertura::Lectura, d) != 0)
        return false;
    if (::flock(Fd(d), LOCK_EX | LOCK_NB) != 0)
        return EsConflicto(errno);
    struct flock l = RegistroEntero(F_WRLCK);
    return ::fcntl(Fd(d), F_OFD_GETLK, &l) == 0 && l.l_type != F_UNLCK;
}

int Tamano(const Descriptor& d, std::uint64_t& tamano)
{
    struct stat st {};
    if (::fstat(Fd(d), &st) != 0)
        return Resultado(false);
    if (!S_ISREG(st.st_mode))
        return ENODEV;
    tamano = static_cast<std::uint64_t>(st.st_size);
    return 0;
}

int Version(const Descriptor& d, VersionFichero& v)
{
    struct stat st {};
    if (::fstat(Fd(d), &st) != 0)
        return Resultado(false);
    v.dispositivo = static_cast<std::uint64_t>(st.st_dev);
    v.fichero = static_cast<std::uint64_t>(st.st_ino);
    v.tamano = static_cast<std::uint64_t>(st.st_size);
    v.escrito = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return 0;
}

int LeerEn(const Descriptor& d, char* destino, std::size_t n, std::uint64_t desp, std::size_t& leidos)
{
    for (;;) {
        const ssize_t r = ::pread(Fd(d), destino, n, static_cast<off_t>(desp));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return Resultado(false);
        leidos = static_cast<std::size_t>(r);
        return 0;
    }
}

int EscribirEn(const Descriptor& d, const char* datos, std::size_t n, std::uint64_t desp)
{
    THN_PUNTO_DE_FALLO("escribir");
    while (n > 0) {
        const ssize_t r = ::pwrite(Fd(d), datos, n, static_cast<off_t>(desp));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return r == 0 ? ENOSPC : Resultado(false);
        datos += r;
        n -= static_cast<std::size_t>(r);
        desp += static_cast<std::uint64_t>(r);
    }
    return 0;
}

int Truncar(const Descriptor& d, std::uint64_t tamano)
{
    THN_PUNTO_DE_FALLO("truncar");
    return Resultado(::ftruncate(Fd(d), static_cast<off_t>(tamano)) == 0);
}

int Volcar(const Descriptor& d)
{
    THN_PUNTO_DE_FALLO("volcar");
    return Sincronizar(Fd(d));
}

int Renombrar(const std::filesystem::path& de, const std::filesystem::path& a)
{
    THN_PUNTO_DE_FALLO("renombrar");
    return Resultado(::rename(de.c_str(), a.c_str()) == 0);
}

int Borrar(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("borrar");
    return Resultado(::unlink(ruta.c_str()) == 0);
}

int CrearCarpeta(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("crear carpeta");
    return Resultado(::mkdir(ruta.c_str(), 0777) == 0);
}

int BorrarCarpeta(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("borrar carpeta");
    return Resultado(::rmdir(ruta.c_str()) == 0);
}

int VolcarCarpeta(const std::filesystem::path& ruta)
{
    THN_PUNTO_DE_FALLO("volcar carpeta");
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Resultado(false);
    const int r = Sincronizar(fd);
    ::close(fd);
    return r;
}

void Carpeta::Cerrar()
{
    if (fd_ >= 0)
        ::close(static_cast<int>(fd_));
    fd_ = -1;
}

int AbrirCarpeta(const std::filesystem::path& ruta, bool seguir_enlace, Carpeta& c)
{
    const int fd = ::open(ruta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (seguir_enlace ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return errno == ELOOP ? ENOTDIR : Resultado(false);
    Carpeta nueva;
    nueva.fd_ = fd;
    nueva.ruta_ = ruta;
    c = std::move(nueva);
    return 0;
}

int AbrirEn(const Carpeta& c, const std::filesystem::path& nombre, Apertura modo, Descriptor& d)
{
    int fd = -1;
    const int error = AbrirFd(static_cast<int>(c.fd_), nombre, modo, O_NOFOLLOW, fd);
    if (error == 0)
        d = Descriptor(fd, modo != Apertura::Lectura);
    return error;
}

int BorrarEn(const Carpeta& c, const std::filesystem::path& nombre)
{
    THN_PUNTO_DE_FALLO("borrar");
    return Resultado(::unlinkat(static_cast<int>(c.fd_), nombre.c_str(), 0) == 0);
}

int BorrarCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre)
{
    THN_PUNTO_DE_FALLO("borrar carpeta");
    return Resultado(::unlinkat(static_cast<int>(c.fd_), nombre.c_str(), AT_REMOVEDIR) == 0);
}

int CrearCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre)
{
    THN_PUNTO_DE_FALLO("crear carpeta");
    return Resultado(::mkdirat(static_cast<int>(c.fd_), nombre.c_str(), 0777) == 0);
}

int AbrirCarpetaEn(const Carpeta& c, const std::filesystem::path& nombre, Carpeta& dentro)
{
    const int fd = ::openat(static_cast<int>(c.fd_), nombre.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return errno == ELOOP ? ENOTDIR : Resultado(false);
    Carpeta nueva;
    nueva.fd_ = fd;
    nueva.ruta_ = c.ruta_ / nombre;
    dentro = std::move(nueva);
    return 0;
}

int RenombrarEn(const Carpeta& de, const std::filesystem::path& nombre_de, const Carpeta& a,
                const std::filesystem::path& nombre_a)
{
    THN_PUNTO_DE_FALLO("renombrar");
    return Resultado(::renameat(static_cast<int>(de.fd_), nombre_de.c_str(), static_cast<int>(a.fd_),
                                nombre_a.c_str()) == 0);
}

int ExisteEn(const Carpeta& c, const std::filesystem::path& nombre, bool& existe)
{
    struct stat st {};
    existe = ::fstatat(static_cast<int>(c.fd_), nombre.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
    return existe || errno == ENOENT ? 0 : Resultado(false);
}

int Listar(const Carpeta& c, std::vector<std::filesystem::path>& nombres)
{
    // A descriptor of its own: reading the entries moves its offset.
    const int fd = ::openat(static_cast<int>(c.fd_), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Resultado(false);
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
        const int e = Resultado(false);
        ::close(fd);
        return e;
    }
    nombres.clear();
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
        const std::string nombre = e->d_name;
        if (nombre != "." && nombre != "..")
            nombres.emplace_back(nombre);
    }
    const int error = errno;
    ::closedir(dir);
    return error;
}

int VolcarCarpeta(const Carpeta& c)
{
    THN_PUNTO_DE_FALLO("volcar carpeta");
    return Sincronizar(static_cast<int>(c.fd_));
}

bool MismoFichero(const std::filesystem::path& a, const std::filesystem::path& b)
{
    struct stat sa {}, sb {};
    return ::lstat(a.c_str(), &sa) == 0 && ::lstat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
}

int BloqueoCarpeta::Tomar(const std::filesystem::path& carpeta)
{
    THN_PUNTO_DE_FALLO("bloquear carpeta");
    Descriptor d;
    if (const int e = Abrir(carpeta, Apertura::Lectura, d))
        return e;
    if (::flock(Fd(d), LOCK_EX | LOCK_NB) != 0)
        return EsConflicto(errno) ? EWOULDBLOCK : Resultado(false);
    d_ = std::move(d);
    return 0;
}

std::string Motivo(int error) { return std::strerror(error); }

}  // namespace thn::so
