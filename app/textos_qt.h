// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Crossing between the core's UTF-8 texts and paths and Qt's strings.

#include <QString>

#include <filesystem>
#include <string>

namespace thn::app {

// A message for the screen: "\r\n" between lines becomes Qt's "\n".
QString TextoPantalla(const std::string& texto);

QString RutaQt(const std::filesystem::path& ruta);
std::filesystem::path RutaDesdeQt(const QString& ruta);

}  // namespace thn::app
