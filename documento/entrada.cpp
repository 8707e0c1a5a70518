// SPDX-License-Identifier: EUPL-1.2
#include "documento/entrada.h"

#include "base/error.h"

#include <cerrno>

namespace thn::documento {

EntradaDocumento::EntradaDocumento(const std::filesystem::path& ruta)
    : nombre_(ruta.string()), archivo_(AbrirArchivo(ruta, "rb"))
{
    if (!archivo_) {
        const int error = errno;
        if (error == ENOENT)
            throw Error(Formatear("No existe el archivo '%s'", {nombre_}));
        throw Error(Formatear("No se pudo abrir el archivo '%s': %s", {nombre_, MotivoSistema(error)}));
    }
}

int EntradaDocumento::Leer(void* contexto, char* destino, int tamano)
{
    auto* entrada = static_cast<EntradaDocumento*>(contexto);
    if (entrada->error_ != 0 || !entrada->limites_.Motivo().empty())
        return -1;
    const std::size_t leidos = std::fread(destino, 1, static_cast<std::size_t>(tamano), entrada->archivo_.get());
    if (leidos == 0 && std::ferror(entrada->archivo_.get())) {
        entrada->error_ = errno != 0 ? errno : EIO;
        return -1;
    }
    entrada->vacio_ = entrada->vacio_ && leidos == 0;
    if (!entrada->limites_.Revisar(destino, leidos))
        return -1;
    return static_cast<int>(leidos);
}

void EntradaDocumento::Comprobar() const
{
    if (error_ != 0)
        throw Error(Formatear("No se pudo leer el archivo '%s': %s", {nombre_, MotivoSistema(error_)}));
    // libxml2 would call it content after the end.
    if (vacio_)
        throw Error(Formatear("El archivo '%s' no es un documento XML válido (%s)", {nombre_, "línea 1: el documento está vacío"}));
    if (!limites_.Motivo().empty())
        throw Error(Formatear("El archivo '%s' supera los límites de un documento de centro (%s)",
                              {nombre_, limites_.Motivo()}));
}

}  // namespace thn::documento
