// SPDX-License-Identifier: EUPL-1.2
#include "app/boton_con_foco.h"

#include <QPainter>

namespace thn::app {

void BotonConFoco::paintEvent(QPaintEvent* evento)
{
    QPushButton::paintEvent(evento);
    if (!hasFocus())
        return;
    QPainter pintor(this);
    // Dark blue, two pixels, inside the edge: visible on the warm and the
    // blue panels alike.
    pintor.setPen(QPen(QColor(0x00, 0x00, 0x80), 2));
    pintor.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
}

}  // namespace thn::app
