// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The application's help system: the window's requests, with the
// application's current help file, handed to the help manager.

#include "help/aplicacion_ayuda.h"
#include "help/gestor_ayuda.h"
#include "ventana/sistema_ayuda.h"

#include <functional>
#include <memory>

namespace thn::ayuda {

class SistemaAyudaGestor final : public SistemaAyuda {
public:
    // `ventana`, when given, answers the window that owns help windows for
    // as long as this object lives; it usually captures that window.
    SistemaAyudaGestor(std::shared_ptr<AplicacionAyuda> aplicacion, std::shared_ptr<GestorAyuda> gestor,
                       std::function<std::intptr_t()> ventana = {});
    ~SistemaAyudaGestor() override;
    SistemaAyudaGestor(const SistemaAyudaGestor&) = delete;
    SistemaAyudaGestor& operator=(const SistemaAyudaGestor&) = delete;

    void PonerFicheroAyuda(const std::string& fichero) override;
    std::string FicheroAyuda() const override;
    bool AyudaContexto(std::int32_t contexto) override;
    // kHelpContext, kHelpQuit, kHelpContents, kHelpFinder, kHelpKey and
    // kHelpPartialKey; any other command shows nothing, there being no WinHelp.
    bool ComandoAyuda(int comando, std::intptr_t datos) override;
    void AyudaTema(const std::string& tema) override;
    void AyudaPalabraClave(const std::string& palabra) override;

private:
    // Runs a request; answers whether the HTML help viewer showed a window.
    template <typename Peticion>
    bool Mostrar(Peticion peticion);

    std::shared_ptr<AplicacionAyuda> aplicacion_;
    std::shared_ptr<GestorAyuda> gestor_;
    bool pone_ventana_;
};

}  // namespace thn::ayuda
