// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The centre document's file as libxml2's input, read block by block. Each
// block is checked against the document's bounds before the parser gets it.

#include "documento/archivo.h"
#include "documento/limites.h"

#include <filesystem>
#include <string>

namespace thn::documento {

class EntradaDocumento {
public:
    // Fails with "No existe el archivo '…'" or "No se pudo abrir el archivo '…': motivo".
    explicit EntradaDocumento(const std::filesystem::path& ruta);

    // libxml2's read callback; `entrada` is an EntradaDocumento. A failed
    // read or a bound passed ends the input with an error, never as its end.
    static int Leer(void* entrada, char* destino, int tamano);

    // Fails when reading stopped on a system error or on a bound passed, or
    // when the file is empty. Call after parsing and before the parser's
    // verdict, which then means little.
    void Comprobar() const;

    const std::string& Nombre() const { return nombre_; }

private:
    std::string nombre_;
    Archivo archivo_;
    int error_ = 0;
    bool vacio_ = true;
    VigiaLimites limites_;
};

}  // namespace thn::documento
