// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The five HTML Help commands on one help window per process, created when
// first needed. Without a QApplication, or off its thread, nothing is shown.

#include "help/hhctrl/ordenes_html_help.h"

#include <QPointer>

namespace thn::chm {

class VentanaAyuda;

class VisorQt final : public IVisorChm {
public:
    VisorQt() = default;
    // The window goes with the viewer, so that no widget outlives the code
    // that implements it when the plugin is unloaded.
    ~VisorQt() override;
    VisorQt(const VisorQt&) = delete;
    VisorQt& operator=(const VisorQt&) = delete;

    std::intptr_t MostrarTema(std::intptr_t llamador, const std::string& fichero, const std::string& tema) override;
    std::intptr_t MostrarContenido(std::intptr_t llamador, const std::string& fichero) override;
    std::intptr_t MostrarIndice(std::intptr_t llamador, const std::string& fichero, const std::string& palabra) override;
    std::intptr_t MostrarContexto(std::intptr_t llamador, const std::string& fichero, std::uint32_t contexto) override;
    std::intptr_t CerrarTodo() override;

private:
    // The window showing `fichero`, loading it when it is another file; none
    // when the file cannot be read or no window can be made.
    VentanaAyuda* Preparar(const std::string& fichero);
    std::intptr_t Mostrar(VentanaAyuda& ventana, std::intptr_t llamador);

    QPointer<VentanaAyuda> ventana_;
};

}  // namespace thn::chm
