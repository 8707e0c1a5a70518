// SPDX-License-Identifier: EUPL-1.2
#include "app/vigilancia_anfitrion.h"

#include "ventana/modo_ejecucion.h"

#include <QGuiApplication>

#include <cstdlib>
#include <memory>

#ifdef THN_X11
#include <xcb/xcb.h>
#endif

namespace thn::app {

#ifdef THN_X11
namespace {

xcb_connection_t* ConexionX11()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

}  // namespace
#endif

VigilanciaAnfitrion::VigilanciaAnfitrion(std::uint32_t anfitrion, std::function<void()> al_desaparecer)
    : anfitrion_(anfitrion), al_desaparecer_(std::move(al_desaparecer))
{
#ifdef THN_X11
    xcb_connection_t* c = ConexionX11();
    if (!c)
        return;
    // Structure events of the host reach this client: its DestroyNotify among them.
    const std::uint32_t mascara[] = {XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    const auto cookie = xcb_change_window_attributes_checked(c, anfitrion_, XCB_CW_EVENT_MASK, mascara);
    std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(xcb_request_check(c, cookie), &std::free);
    if (error)
        throw ventana::AnfitrionInexistente(static_cast<std::int32_t>(anfitrion_));
    QCoreApplication::instance()->installNativeEventFilter(this);
    instalada_ = true;
#endif
}

VigilanciaAnfitrion::~VigilanciaAnfitrion()
{
    if (instalada_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool VigilanciaAnfitrion::nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr*)
{
#ifdef THN_X11
    if (tipo != "xcb_generic_event_t" || !al_desaparecer_)
        return false;
    const auto* evento = static_cast<const xcb_generic_event_t*>(mensaje);
    if ((evento->response_type & 0x7F) == XCB_DESTROY_NOTIFY
        && reinterpret_cast<const xcb_destroy_notify_event_t*>(evento)->window == anfitrion_) {
        auto avisar = std::exchange(al_desaparecer_, nullptr);
        avisar();
    }
#else
    (void)tipo;
    (void)mensaje;
#endif
    return false;
}

}  // namespace thn::app
