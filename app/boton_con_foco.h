// SPDX-License-Identifier: EUPL-1.2
#pragma once
// A push button that draws a frame of its own when it has the focus: the
// style's dotted focus rectangle is hard to see on the panels' gradients.

#include <QPushButton>

namespace thn::app {

class BotonConFoco : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* evento) override;
};

}  // namespace thn::app
