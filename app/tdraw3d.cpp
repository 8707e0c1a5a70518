// SPDX-License-Identifier: EUPL-1.2
#include "app/tdraw3d.h"

#include <QLinearGradient>
#include <QPainter>

namespace thn::app {

TDraw3D::TDraw3D(QWidget* padre, QColor arriba, QColor medio, QColor abajo)
    : QWidget(padre), arriba_(arriba), medio_(medio), abajo_(abajo)
{
    // The gradient covers every pixel: nothing beneath needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TDraw3D::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QLinearGradient degradado(0, 0, 0, height() - 1);
    degradado.setColorAt(0.0, arriba_);
    degradado.setColorAt(0.5, medio_);
    degradado.setColorAt(1.0, abajo_);
    p.fillRect(rect(), degradado);
}

}  // namespace thn::app
