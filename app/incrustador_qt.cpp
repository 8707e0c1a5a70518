// SPDX-License-Identifier: EUPL-1.2
#include "app/incrustador.h"

#include "app/vigilancia_anfitrion.h"
#include "ventana/modo_ejecucion.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>


namespace thn::app {

IncrustadorQt::IncrustadorQt() = default;
IncrustadorQt::~IncrustadorQt() = default;

void IncrustadorQt::Incrustar(QWidget& ventana, std::int32_t anfitrion)
{
    // Handles are 32-bit values; the integer text may have set the sign bit.
    const auto id = static_cast<WId>(static_cast<std::uint32_t>(anfitrion));
    auto vigilancia = std::make_unique<VigilanciaAnfitrion>(static_cast<std::uint32_t>(anfitrion), [&ventana] {
        // Outside the event being dispatched. With no window left to stay
        // in, a refused close still ends the program.
        QTimer::singleShot(0, &ventana, [&ventana] {
            if (!ventana.close())
                QCoreApplication::quit();
        });
    });
    std::unique_ptr<QWindow> host(QWindow::fromWinId(id));
    if (!host)
        throw ventana::AnfitrionNoIncrustable(anfitrion);
    ventana.setAttribute(Qt::WA_NativeWindow);
    ventana.winId();  // creates the native window that gets the new parent
    ventana.windowHandle()->setParent(host.get());
    anfitrion_ = std::move(host);
    vigilancia_ = std::move(vigilancia);
}

}  // namespace thn::app
