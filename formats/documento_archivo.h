// SPDX-License-Identifier: EUPL-1.2
#pragma once
// C stdio files for the centre document: opened by path on every platform,
// and replaced atomically on saving.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "formats/so/sistema.h"

namespace thn::documento {

struct CerrarArchivo { void operator()(std::FILE* f) const { std::fclose(f); } };
using Archivo = std::unique_ptr<std::FILE, CerrarArchivo>;

// Null on failure, with errno set. `modo` is an fopen mode of ASCII letters.
Archivo AbrirArchivo(const std::filesystem::path& ruta, const char* modo);

// Text of the system's reason for `error` (an errno value).
std::string MotivoSistema(int error);

// A file written beside `destino` that takes its place on Confirmar, flushed
// to the disk first, with the permissions of the file it replaces. Until
// then `destino` is untouched; if Confirmar is not reached or fails, the
// temporary file is removed.
class ReemplazoAtomico {
public:
    explicit ReemplazoAtomico(std::filesystem::path destino);  // throws Error
    ~ReemplazoAtomico();
    ReemplazoAtomico(const ReemplazoAtomico&) = delete;
    ReemplazoAtomico& operator=(const ReemplazoAtomico&) = delete;

    // Writes all of `datos`; on failure remembers the reason and returns false.
    bool Escribir(const char* datos, std::size_t tamano);
    // Flushes to disk, closes and renames over the destination. Throws Error.
    void Confirmar();
    // Fails with "No se pudo guardar el archivo '…': motivo".
    [[noreturn]] void Fallar(const std::string& motivo) const;
    // The reason of the first failed write, empty while none failed.
    const std::string& MotivoEscritura() const { return motivo_escritura_; }

private:
    static constexpr std::size_t kBloque = 1 << 16;
    bool Vaciar();

    std::filesystem::path destino_;
    std::filesystem::path temporal_;
    so::Descriptor fichero_;
    std::string pendiente_;  // written in blocks, not call by call
    std::uint64_t escritos_ = 0;
    std::string motivo_escritura_;
    bool confirmado_ = false;
};

}  // namespace thn::documento
