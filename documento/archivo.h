// SPDX-License-Identifier: EUPL-1.2
#pragma once
// C stdio files for the centre document: opened by path on every platform,
// and replaced atomically on saving.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "so/reemplazo.h"

namespace thn::documento {

struct CerrarArchivo { void operator()(std::FILE* f) const { std::fclose(f); } };
using Archivo = std::unique_ptr<std::FILE, CerrarArchivo>;

// Null on failure, with errno set. `modo` is an fopen mode of ASCII letters.
Archivo AbrirArchivo(const std::filesystem::path& ruta, const char* modo);

// Text of the system's reason for `error` (an errno value).
std::string MotivoSistema(int error);

// The centre document's replacement (so::Reemplazo) with its messages: the
// destination keeps its permissions, and every failure is
// "No se pudo guardar el archivo '…': motivo".
class ReemplazoAtomico {
public:
    explicit ReemplazoAtomico(std::filesystem::path destino);  // throws Error

    // Writes all of `datos`; on failure remembers the reason and returns false.
    bool Escribir(const char* datos, std::size_t tamano);
    // Flushes to disk, closes and renames over the destination. Throws Error.
    void Confirmar();
    [[noreturn]] void Fallar(const std::string& motivo) const;
    // The reason of the first failed write, empty while none failed.
    const std::string& MotivoEscritura() const { return motivo_escritura_; }

private:
    so::Reemplazo reemplazo_;
    std::string motivo_escritura_;
};

}  // namespace thn::documento
