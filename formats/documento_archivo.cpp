// SPDX-License-Identifier: EUPL-1.2
#include "formats/documento_archivo.h"

#include "formats/error.h"
#include "formats/so/plataforma.h"
#include "formats/so/sistema.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>


namespace thn::documento {
namespace fs = std::filesystem;

Archivo AbrirArchivo(const fs::path& ruta, const char* modo)
{
    return Archivo(so::AbrirFlujo(ruta, modo));
}

std::string MotivoSistema(int error)
{
    return std::generic_category().message(error);
}

ReemplazoAtomico::ReemplazoAtomico(fs::path destino) : destino_(std::move(destino))
{
    // Same directory as the destination, so that the rename cannot cross
    // file systems and stays atomic.
    std::random_device azar;
    const std::string base = destino_.filename().string();
    int error = 0;
    for (int intento = 0; intento < 16; ++intento) {
        char sufijo[16];
        std::snprintf(sufijo, sizeof sufijo, ".%08x.tmp", static_cast<unsigned>(azar()));
        temporal_ = destino_;
        temporal_.replace_filename(base + sufijo);
        error = so::Abrir(temporal_, so::Apertura::CrearNueva, fichero_);  // never reuses a file that exists
        if (error != EEXIST)
            break;
    }
    if (error != 0)
        Fallar(so::Motivo(error));
    // A file that is replaced keeps its permissions.
    std::error_code ec;
    const auto estado = fs::status(destino_, ec);
    if (!ec && fs::is_regular_file(estado))
        fs::permissions(temporal_, estado.permissions(), ec);
}

ReemplazoAtomico::~ReemplazoAtomico()
{
    if (confirmado_)
        return;
    fichero_ = so::Descriptor();
    so::Borrar(temporal_);
}

bool ReemplazoAtomico::Escribir(const char* datos, std::size_t tamano)
{
    if (!motivo_escritura_.empty())
        return false;
    pendiente_.append(datos, tamano);
    return pendiente_.size() < kBloque || Vaciar();
}

bool ReemplazoAtomico::Vaciar()
{
    if (const int error = so::EscribirEn(fichero_, pendiente_.data(), pendiente_.size(), escritos_)) {
        motivo_escritura_ = so::Motivo(error);
        return false;
    }
    escritos_ += pendiente_.size();
    pendiente_.clear();
    return true;
}

void ReemplazoAtomico::Confirmar()
{
    if (!motivo_escritura_.empty() || !Vaciar())
        Fallar(motivo_escritura_);
    if (const int error = so::Volcar(fichero_))
        Fallar(so::Motivo(error));
    if (const int error = so::Cerrar(fichero_))
        Fallar(so::Motivo(error));
    if (const int error = so::Renombrar(temporal_, destino_))
        Fallar(so::Motivo(error));
    confirmado_ = true;
    // The new name on the disk too. The file is in place already, so a
    // failure here changes nothing the user could act on.
    so::VolcarCarpeta(destino_.has_parent_path() ? destino_.parent_path() : fs::path("."));
}

void ReemplazoAtomico::Fallar(const std::string& motivo) const
{
    throw Error(Formatear("No se pudo guardar el archivo '%s': %s", {destino_.string(), motivo}));
}

}  // namespace thn::documento
