// SPDX-License-Identifier: EUPL-1.2
#pragma once
// What the window asks of the user: the file dialog and the message boxes.
// Behind an interface so that tests answer in place of a person.

#include <filesystem>
#include <optional>
#include <string>

namespace thn::ventana {

struct DialogoArchivo {
    std::string titulo;              // "Archivo XML"
    std::string filtro;              // "*.xml"
    std::string extension;           // added to a name typed without one
    std::filesystem::path inicial;   // the file chosen the last time, or empty
};

// Every box has the application's title and returns when the user has
// dismissed it. Lines are separated by "\r\n". `informativo`, when not empty,
// is a second paragraph under the text: the path or place the text is about.
class Interaccion {
public:
    virtual ~Interaccion() = default;
    // The chosen path, or nullopt when the user cancels. The path need not exist.
    virtual std::optional<std::filesystem::path> AbrirArchivo(const DialogoArchivo& dialogo) = 0;
    // No icon, one button "Aceptar".
    virtual void Mensaje(const std::string& texto, const std::string& informativo) = 0;
    // A completion that left something out: the warning icon, and a button
    // that shows `informe` in a dialog of its own, to read, copy or save
    // (offered under the name `guardar_como`).
    virtual void MensajeConInforme(const std::string& texto, const std::string& informativo,
                                   const std::string& informe, const std::filesystem::path& guardar_como) = 0;
    // The application's error box (the text already follows the error-box rule).
    virtual void CajaError(const std::string& texto, const std::string& informativo) = 0;
};

}  // namespace thn::ventana
