// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The one way a file is replaced whole: written beside its destination,
// flushed to the disk, and renamed over it. Until the rename the destination
// is untouched; a replacement not placed leaves no temporary file behind.
// Every step returns 0 or the system's error number, as the rest of this
// layer, so that each caller words the message for its own file.

#include "so/sistema.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace thn::so {

class Reemplazo {
public:
    Reemplazo() = default;
    ~Reemplazo();
    Reemplazo(const Reemplazo&) = delete;
    Reemplazo& operator=(const Reemplazo&) = delete;

    // Creates the temporary file in the destination's folder, so that the
    // rename cannot cross file systems. With `conservar_permisos`, it takes
    // the permissions of the file it will replace.
    int Abrir(const std::filesystem::path& destino, bool conservar_permisos);
    // Appends, in blocks; after a failure every call returns that failure.
    int Escribir(const char* datos, std::size_t tamano);
    // Writes what is pending now.
    int Vaciar();
    // Writes what is pending, flushes to the disk and closes.
    int Terminar();
    // Renames over the destination, then, with `volcar_carpeta`, makes the
    // new name durable (a failure of that last step is not reported: the
    // file is in place).
    int Colocar(bool volcar_carpeta = true);

    const std::filesystem::path& Destino() const { return destino_; }

private:
    static constexpr std::size_t kBloque = 1 << 16;

    std::filesystem::path destino_;
    std::filesystem::path temporal_;
    Descriptor fichero_;
    std::string pendiente_;
    std::uint64_t escritos_ = 0;
    int error_escritura_ = 0;
    bool colocado_ = false;
};

// Removes the temporary files that replacements of `destino` left behind
// when their process died (only names this class makes, beside it, and
// none that a running replacement holds locked).
void BorrarTemporalesAbandonados(const std::filesystem::path& destino);

// The whole replacement of a small file in one call: 0 or the first error.
int ReemplazarFichero(const std::filesystem::path& destino, std::string_view contenido, bool conservar_permisos);

}  // namespace thn::so
