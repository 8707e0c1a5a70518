// SPDX-License-Identifier: EUPL-1.2
#pragma once
// Making the main window a child of a window of another program.

#include <cstdint>
#include <memory>

class QWidget;
class QWindow;

namespace thn::app {

class VigilanciaAnfitrion;

class Incrustador {
public:
    virtual ~Incrustador() = default;
    // Makes `ventana` a child of the host window `anfitrion` (an X11 window id
    // or a Windows window handle). Fails with thn::Error when the platform has
    // no foreign windows or no such window exists.
    virtual void Incrustar(QWidget& ventana, std::int32_t anfitrion) = 0;
};

// Through Qt's foreign windows (QWindow::fromWinId). It owns the host's
// QWindow, which becomes the parent of the embedded one: it must outlive the
// window it embedded. When the host's window is destroyed, the embedded
// window closes (telling the host its status) and the program ends.
class IncrustadorQt : public Incrustador {
public:
    IncrustadorQt();
    ~IncrustadorQt() override;
    void Incrustar(QWidget& ventana, std::int32_t anfitrion) override;

private:
    std::unique_ptr<VigilanciaAnfitrion> vigilancia_;
    std::unique_ptr<QWindow> anfitrion_;
};

}  // namespace thn::app
