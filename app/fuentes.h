// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The window's fonts by name and pixel size. Faces that are not installed
// ("MS Sans Serif", "Arial") give way to the closest sans-serif face.

#include <QFont>
#include <QString>

namespace thn::app {

QFont FuenteSinSerifa(const QString& familia, int pixeles, bool negrita = false);

}  // namespace thn::app
