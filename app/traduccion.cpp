// SPDX-License-Identifier: EUPL-1.2
#include "app/traduccion.h"

#include <cstring>

namespace thn::app {

QString TraduccionPropia::translate(const char* contexto, const char* texto, const char*, int) const
{
    // The message box's button for the report of left-out data.
    if (contexto && texto && std::strcmp(contexto, "QMessageBox") == 0) {
        if (std::strcmp(texto, "Show Details...") == 0)
            return QStringLiteral("Mostrar detalles...");
        if (std::strcmp(texto, "Hide Details...") == 0)
            return QStringLiteral("Ocultar detalles...");
    }
    return {};
}

}  // namespace thn::app
