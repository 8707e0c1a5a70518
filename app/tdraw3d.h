// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A panel painted with a vertical gradient of three colours: top, middle, bottom.

#include <QColor>
#include <QWidget>

namespace thn::app {

class TDraw3D : public QWidget {
public:
    TDraw3D(QWidget* padre, QColor arriba, QColor medio, QColor abajo);

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    QColor arriba_, medio_, abajo_;
};

}  // namespace thn::app
