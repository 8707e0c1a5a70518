// SPDX-License-Identifier: EUPL-1.2
#include "formats/dbf/fichero.h"

#include "formats/error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace thn::dbf::detalle {

Descriptor& Descriptor::operator=(Descriptor&& o) noexcept
{
    if (this != &o) {
        Cerrar();
        fd_ = o.fd_;
        o.fd_ = -1;
    }
    return *this;
}

void Descriptor::Cerrar() noexcept
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

std::string ErrorSistema(int error) { return std::strerror(error); }

void FalloDeBloqueo(int error, const std::string& tabla)
{
    if (error == EWOULDBLOCK || error == EAGAIN)
        throw Error(Formatear("La tabla '%s' está abierta por otro programa", {tabla}));
    throw Error(Formatear("No se puede bloquear la tabla '%s': %s", {tabla, ErrorSistema(error)}));
}

TablaAbierta AbrirTabla(const std::filesystem::path& ruta, const std::string& tabla, bool exclusivo)
{
    TablaAbierta t;
    t.fichero = Descriptor(::open(ruta.c_str(), (exclusivo ? O_RDWR : O_RDONLY) | O_CLOEXEC));
    if (!t.fichero && exclusivo && (errno == EACCES || errno == EROFS || errno == EPERM)) {
        // A file we may only read can still be held exclusively, for reading.
        t.fichero = Descriptor(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC));
        t.solo_lectura = true;
    }
    if (!t.fichero) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(Formatear("No existe la tabla '%s'", {tabla}));
        throw Error(Formatear("No se puede abrir la tabla '%s': %s", {tabla, ErrorSistema(errno)}));
    }
    t.solo_lectura = t.solo_lectura || !exclusivo;
    const int fd = t.fichero.fd();

    struct stat st {};
    if (::fstat(fd, &st) != 0)
        throw Error(Formatear("No se puede abrir la tabla '%s': %s", {tabla, ErrorSistema(errno)}));
    if (!S_ISREG(st.st_mode))
        throw Error(Formatear("La tabla '%s' no es un fichero", {tabla}));
    if (::flock(fd, (exclusivo ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0)
        FalloDeBloqueo(errno, tabla);

    t.datos.resize(static_cast<std::size_t>(st.st_size));
    std::size_t leidos = 0;
    while (leidos < t.datos.size()) {
        const ssize_t r = ::pread(fd, t.datos.data() + leidos, t.datos.size() - leidos, static_cast<off_t>(leidos));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw Error(Formatear("No se puede leer la tabla '%s': %s", {tabla, ErrorSistema(errno)}));
        if (r == 0)
            break;  // shrank meanwhile: what was read is the table
        leidos += static_cast<std::size_t>(r);
    }
    t.datos.resize(leidos);
    return t;
}

void EscribirEn(int fd, const char* datos, std::size_t n, off_t desp, const std::string& tabla)
{
    while (n > 0) {
        const ssize_t r = ::pwrite(fd, datos, n, desp);
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            throw Error(Formatear("No se puede escribir la tabla '%s': %s", {tabla, ErrorSistema(errno)}));
        datos += r;
        n -= static_cast<std::size_t>(r);
        desp += r;
    }
}

void FechaDeHoy(unsigned char* p)
{
    const std::time_t ahora = std::time(nullptr);
    std::tm tm{};
    localtime_r(&ahora, &tm);
    p[0] = static_cast<unsigned char>(std::clamp(tm.tm_year, 0, 255));
    p[1] = static_cast<unsigned char>(tm.tm_mon + 1);
    p[2] = static_cast<unsigned char>(tm.tm_mday);
}

}  // namespace thn::dbf::detalle
