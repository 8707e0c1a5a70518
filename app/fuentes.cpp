// SPDX-License-Identifier: EUPL-1.2
#include "app/fuentes.h"

namespace thn::app {

QFont FuenteSinSerifa(const QString& familia, int pixeles, bool negrita)
{
    QFont f(familia);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixeles);
    f.setBold(negrita);
    return f;
}

}  // namespace thn::app
