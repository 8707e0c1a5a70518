// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The dialogs and message boxes a person sees, in Spanish.

#include "app/interaccion.h"

#include <QPointer>
#include <QWidget>

namespace thn::app {

class InteraccionQt : public Interaccion {
public:
    // Boxes and dialogs are placed over this window once it exists.
    void PonerVentana(QWidget* ventana) { ventana_ = ventana; }

    std::optional<std::filesystem::path> AbrirArchivo(const DialogoArchivo& dialogo) override;
    void Mensaje(const std::string& texto) override;
    void MensajeConDetalles(const std::string& texto, const std::string& detalles) override;
    void CajaError(const std::string& texto) override;

private:
    QPointer<QWidget> ventana_;
};

}  // namespace thn::app
