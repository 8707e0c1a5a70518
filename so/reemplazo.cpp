// SPDX-License-Identifier: EUPL-1.2
#include "so/reemplazo.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>
#include <vector>

namespace thn::so {
namespace fs = std::filesystem;

Reemplazo::~Reemplazo()
{
    if (colocado_ || temporal_.empty())
        return;
    fichero_ = Descriptor();
    Borrar(temporal_);
}

int Reemplazo::Abrir(const fs::path& destino, bool conservar_permisos)
{
    destino_ = destino;
    std::random_device azar;
    const std::string base = destino_.filename().string();
    int error = 0;
    for (int intento = 0; intento < 16; ++intento) {
        char sufijo[16];
        std::snprintf(sufijo, sizeof sufijo, ".%08x.tmp", static_cast<unsigned>(azar()));
        fs::path temporal = destino_;
        temporal.replace_filename(base + sufijo);
        error = so::Abrir(temporal, Apertura::CrearNueva, fichero_);  // never reuses a file that exists
        if (error == 0) {
            temporal_ = temporal;
            // Held while it is written, so that nobody takes it for abandoned.
            Bloquear(fichero_, true);
        }
        if (error != EEXIST)
            break;
    }
    if (error != 0 || !conservar_permisos)
        return error;
    std::error_code ec;
    const auto estado = fs::status(destino_, ec);
    if (!ec && fs::is_regular_file(estado))
        fs::permissions(temporal_, estado.permissions(), ec);
    return 0;
}

int Reemplazo::Escribir(const char* datos, std::size_t tamano)
{
    if (error_escritura_ != 0)
        return error_escritura_;
    pendiente_.append(datos, tamano);
    return pendiente_.size() < kBloque ? 0 : Vaciar();
}

int Reemplazo::Vaciar()
{
    if (error_escritura_ == 0) {
        error_escritura_ = EscribirEn(fichero_, pendiente_.data(), pendiente_.size(), escritos_);
        if (error_escritura_ == 0) {
            escritos_ += pendiente_.size();
            pendiente_.clear();
        }
    }
    return error_escritura_;
}

int Reemplazo::Terminar()
{
    if (const int error = Vaciar())
        return error;
    if (const int error = Volcar(fichero_))
        return error;
    return Cerrar(fichero_);  // close's error may be a late write's
}

int Reemplazo::Colocar(bool volcar_carpeta)
{
    if (const int error = Renombrar(temporal_, destino_))
        return error;
    colocado_ = true;
    if (volcar_carpeta)
        VolcarCarpeta(destino_.has_parent_path() ? destino_.parent_path() : fs::path("."));
    return 0;
}

void BorrarTemporalesAbandonados(const fs::path& destino)
{
    const std::string base = destino.filename().string();
    const auto propio = [&](const std::string& nombre) {
        // BASE.xxxxxxxx.tmp, eight hexadecimal digits
        if (nombre.size() != base.size() + 13 || !nombre.starts_with(base + ".") || !nombre.ends_with(".tmp"))
            return false;
        for (std::size_t i = base.size() + 1; i < base.size() + 9; ++i)
            if (!std::isxdigit(static_cast<unsigned char>(nombre[i])))
                return false;
        return true;
    };
    const fs::path carpeta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");
    std::error_code ec;
    std::vector<fs::path> abandonados;
    for (auto it = fs::directory_iterator(carpeta, ec); !ec && it != fs::directory_iterator(); it.increment(ec))
        if (propio(it->path().filename().string()) && it->is_regular_file(ec) && !it->is_symlink(ec))
            abandonados.push_back(it->path());
    for (const fs::path& ruta : abandonados)
        if (!BloqueadoPorOtro(ruta))
            Borrar(ruta);
}

int ReemplazarFichero(const fs::path& destino, std::string_view contenido, bool conservar_permisos)
{
    Reemplazo r;
    int error = r.Abrir(destino, conservar_permisos);
    if (error == 0)
        error = r.Escribir(contenido.data(), contenido.size());
    if (error == 0)
        error = r.Terminar();
    return error != 0 ? error : r.Colocar();
}

}  // namespace thn::so
