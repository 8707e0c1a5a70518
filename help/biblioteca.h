// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A shared library loaded at run time, unloaded when the object goes.

#include <filesystem>

namespace thn::ayuda {

class Biblioteca {
public:
    // Loads the library; a failure leaves the object without a library.
    explicit Biblioteca(const std::filesystem::path& ruta);
    ~Biblioteca();
    Biblioteca(Biblioteca&& otra) noexcept;
    Biblioteca& operator=(Biblioteca&& otra) noexcept;
    Biblioteca(const Biblioteca&) = delete;
    Biblioteca& operator=(const Biblioteca&) = delete;

    bool Cargada() const { return manejador_ != nullptr; }
    // The address of an exported symbol; null when it or the library is missing.
    void* Simbolo(const char* nombre) const;

private:
    // The platform's loader (dlopen or LoadLibraryEx); null on failure.
    static void* Abrir(const std::filesystem::path& ruta);
    static void* Buscar(void* manejador, const char* nombre);
    static void Cerrar(void* manejador);
    void Descargar();
    void* manejador_ = nullptr;
};

}  // namespace thn::ayuda
