// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The dialogs and message boxes a person sees, in Spanish, owned by the
// window (by the host's window when the window is embedded).

#include "ventana/interaccion.h"

#include <windows.h>

namespace thn::win32 {

class InteraccionWin32 : public ventana::Interaccion {
public:
    void PonerVentana(HWND ventana) { ventana_ = ventana; }

    std::optional<std::filesystem::path> AbrirArchivo(const ventana::DialogoArchivo& dialogo) override;
    void Mensaje(const std::string& texto, const std::string& informativo) override;
    void MensajeConInforme(const std::string& texto, const std::string& informativo, const std::string& informe,
                           const std::filesystem::path& guardar_como) override;
    void CajaError(const std::string& texto, const std::string& informativo) override;

private:
    HWND Propietario() const { return IsWindow(ventana_) ? ventana_ : nullptr; }
    HWND ventana_ = nullptr;
};

}  // namespace thn::win32
