// SPDX-License-Identifier: EUPL-1.2
#include "documento/archivo.h"

#include "base/error.h"
#include "so/plataforma.h"
#include "so/sistema.h"

#include <cerrno>
#include <cstdio>
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

ReemplazoAtomico::ReemplazoAtomico(fs::path destino)
{
    if (const int error = reemplazo_.Abrir(destino, true))
        Fallar(so::Motivo(error));
}

bool ReemplazoAtomico::Escribir(const char* datos, std::size_t tamano)
{
    if (!motivo_escritura_.empty())
        return false;
    if (const int error = reemplazo_.Escribir(datos, tamano)) {
        motivo_escritura_ = so::Motivo(error);
        return false;
    }
    return true;
}

void ReemplazoAtomico::Confirmar()
{
    if (!motivo_escritura_.empty())
        Fallar(motivo_escritura_);
    if (const int error = reemplazo_.Terminar())
        Fallar(so::Motivo(error));
    if (const int error = reemplazo_.Colocar())
        Fallar(so::Motivo(error));
}

void ReemplazoAtomico::Fallar(const std::string& motivo) const
{
    throw Error(Formatear("No se pudo guardar el archivo '%s': %s", {reemplazo_.Destino().string(), motivo}));
}

}  // namespace thn::documento
