// SPDX-License-Identifier: EUPL-1.2
#include "so/reemplazo.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

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
        if (error == 0)
            temporal_ = temporal;
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
