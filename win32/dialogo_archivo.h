// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The system's file dialogs (IFileOpenDialog, IFileSaveDialog).

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace thn::win32 {

struct PeticionArchivo {
    bool guardar = false;
    std::string titulo;
    std::string nombre_filtro;     // what the filter list shows
    std::string filtro;            // "*.xml"
    std::string extension;         // added to a name typed without one
    std::filesystem::path inicial; // the dialog opens on this file; may be empty or missing
};

// The chosen path, which need not exist; nullopt when the user cancels.
// Fails with Error when the dialog cannot be shown.
std::optional<std::filesystem::path> PedirArchivo(HWND propietario, const PeticionArchivo& peticion);

}  // namespace thn::win32
