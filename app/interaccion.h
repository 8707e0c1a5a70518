// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the window asks of the user: the file dialog and the message boxes.
// Behind an interface so that tests answer in place of a person.

#include <filesystem>
#include <optional>
#include <string>

namespace thn::app {

struct DialogoArchivo {
    std::string titulo;              // "Archivo XML"
    std::string filtro;              // "*.xml"
    std::string extension;           // added to a name typed without one
    std::filesystem::path inicial;   // the file chosen the last time, or empty
};

class Interaccion {
public:
    virtual ~Interaccion() = default;
    // The chosen path, or nullopt when the user cancels. The path need not exist.
    virtual std::optional<std::filesystem::path> AbrirArchivo(const DialogoArchivo& dialogo) = 0;
    // A message box with the application's title and one button "Aceptar".
    // Lines are separated by "\r\n". Returns when the user has dismissed it.
    virtual void Mensaje(const std::string& texto) = 0;
    // The same, with a report the user may unfold.
    virtual void MensajeConDetalles(const std::string& texto, const std::string& detalles) = 0;
    // The application's error box (the text already follows the error-box rule).
    virtual void CajaError(const std::string& texto) = 0;
};

}  // namespace thn::app
