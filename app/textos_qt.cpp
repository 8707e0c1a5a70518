// SPDX-License-Identifier: EUPL-1.2
#include "app/textos_qt.h"

#include <QFile>

namespace thn::app {

QString TextoPantalla(const std::string& texto)
{
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())).replace(QStringLiteral("\r\n"),
                                                                                          QStringLiteral("\n"));
}

QString RutaQt(const std::filesystem::path& ruta) { return QFile::decodeName(ruta.string().c_str()); }

std::filesystem::path RutaDesdeQt(const QString& ruta) { return std::filesystem::path(QFile::encodeName(ruta).toStdString()); }

}  // namespace thn::app
