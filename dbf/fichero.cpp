// SPDX-License-Identifier: EUPL-1.2
#include "dbf/fichero.h"

#include "base/error.h"
#include "so/plataforma.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

namespace thn::dbf::detalle {

std::string ErrorSistema(int error) { return so::Motivo(error); }

void FalloDeBloqueo(int error, const std::string& tabla)
{
    if (error == EWOULDBLOCK || error == EAGAIN)
        throw Error(Formatear("La tabla '%s' está abierta por otro programa", {tabla}));
    throw Error(Formatear("No se puede bloquear la tabla '%s': %s", {tabla, ErrorSistema(error)}));
}

void FalloDeEscritura(int error, const std::string& tabla)
{
    throw Error(Formatear("No se puede escribir la tabla '%s': %s", {tabla, ErrorSistema(error)}));
}

TablaAbierta AbrirTabla(const std::filesystem::path& ruta, const std::string& tabla, bool exclusivo)
{
    TablaAbierta t;
    int e = so::Abrir(ruta, exclusivo ? so::Apertura::LecturaEscritura : so::Apertura::Lectura, t.fichero);
    if (e != 0 && exclusivo && (e == EACCES || e == EROFS || e == EPERM)) {
        // A file we may only read can still be held exclusively, for reading.
        e = so::Abrir(ruta, so::Apertura::Lectura, t.fichero);
        t.solo_lectura = true;
    }
    if (e != 0) {
        if (e == ENOENT || e == ENOTDIR)
            throw Error(Formatear("No existe la tabla '%s'", {tabla}));
        throw Error(Formatear("No se puede abrir la tabla '%s': %s", {tabla, ErrorSistema(e)}));
    }
    t.solo_lectura = t.solo_lectura || !exclusivo;

    std::uint64_t tamano = 0;
    if (const int e2 = so::Tamano(t.fichero, tamano)) {
        if (e2 == ENODEV)
            throw Error(Formatear("La tabla '%s' no es un fichero", {tabla}));
        throw Error(Formatear("No se puede abrir la tabla '%s': %s", {tabla, ErrorSistema(e2)}));
    }
    if (const int e3 = so::Bloquear(t.fichero, exclusivo))
        FalloDeBloqueo(e3, tabla);

    t.tamano = tamano;
    // A header is at most 65,535 bytes long, and no longer than the file.
    t.principio.resize(static_cast<std::size_t>(std::min<std::uint64_t>(tamano, 65535)));
    t.principio.resize(LeerEn(t.fichero, t.principio.data(), t.principio.size(), 0, tabla));
    return t;
}

std::size_t LeerEn(const so::Descriptor& d, char* destino, std::size_t n, std::uint64_t desp,
                   const std::string& tabla)
{
    std::size_t leidos = 0;
    while (leidos < n) {
        std::size_t r = 0;
        if (const int e = so::LeerEn(d, destino + leidos, n - leidos, desp + leidos, r))
            throw Error(Formatear("No se puede leer la tabla '%s': %s", {tabla, ErrorSistema(e)}));
        if (r == 0)
            break;  // shrank meanwhile
        leidos += r;
    }
    return leidos;
}

void EscribirEn(const so::Descriptor& d, const char* datos, std::size_t n, std::uint64_t desp,
                const std::string& tabla)
{
    if (const int e = so::EscribirEn(d, datos, n, desp))
        FalloDeEscritura(e, tabla);
}

void FechaDeHoy(unsigned char* p)
{
    const std::tm tm = so::HoraLocal(std::time(nullptr));
    p[0] = static_cast<unsigned char>(std::clamp(tm.tm_year, 0, 255));
    p[1] = static_cast<unsigned char>(tm.tm_mon + 1);
    p[2] = static_cast<unsigned char>(tm.tm_mday);
}

}  // namespace thn::dbf::detalle
