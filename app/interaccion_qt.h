// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The dialogs and message boxes a person sees, in Spanish.

#include "ventana/interaccion.h"

#include <QPointer>
#include <QWidget>

namespace thn::app {

class InteraccionQt : public ventana::Interaccion {
public:
    // Boxes and dialogs are placed over this window once it exists.
    void PonerVentana(QWidget* ventana) { ventana_ = ventana; }

    std::optional<std::filesystem::path> AbrirArchivo(const ventana::DialogoArchivo& dialogo) override;
    void Mensaje(const std::string& texto, const std::string& informativo) override;
    void MensajeConInforme(const std::string& texto, const std::string& informativo, const std::string& informe,
                           const std::filesystem::path& guardar_como) override;
    void CajaError(const std::string& texto, const std::string& informativo) override;

private:
    QPointer<QWidget> ventana_;
};

}  // namespace thn::app
