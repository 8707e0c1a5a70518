// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Test-only stand-in for the user, chosen by main when the environment holds
// TRANSHORALIA_FICHERO_PRUEBA: every file dialog answers with that path, and
// every message is written to standard output, one line each ("mensaje: ...",
// "error: ..."), and counts as dismissed. It lets tests on a real X server
// drive the program without reaching into Qt's own dialogs.

#include "app/interaccion.h"

#include <ostream>

namespace thn::app {

constexpr const char* kVariableFicheroPrueba = "TRANSHORALIA_FICHERO_PRUEBA";

class InteraccionAutomatica : public Interaccion {
public:
    InteraccionAutomatica(std::filesystem::path fichero, std::ostream& salida)
        : fichero_(std::move(fichero)), salida_(salida) {}

    std::optional<std::filesystem::path> AbrirArchivo(const DialogoArchivo&) override { return fichero_; }
    void Mensaje(const std::string& texto) override { Escribir("mensaje", texto); }
    void MensajeConDetalles(const std::string& texto, const std::string&) override { Escribir("mensaje", texto); }
    void CajaError(const std::string& texto) override { Escribir("error", texto); }

private:
    void Escribir(const char* tipo, std::string texto);

    std::filesystem::path fichero_;
    std::ostream& salida_;
};

}  // namespace thn::app
