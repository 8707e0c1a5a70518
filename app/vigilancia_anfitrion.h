// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The host's window as an embedded window depends on it: it must exist when
// the window is embedded, and when it goes away the embedded window has gone
// with it, so the program must end instead of living on unseen.

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>

namespace thn::app {

class VigilanciaAnfitrion : public QAbstractNativeEventFilter {
public:
    // Fails with thn::Error when the platform knows no window `anfitrion`.
    // `al_desaparecer` runs once the host window has been destroyed. On
    // platforms without this check it does nothing.
    VigilanciaAnfitrion(std::uint32_t anfitrion, std::function<void()> al_desaparecer);
    ~VigilanciaAnfitrion() override;
    VigilanciaAnfitrion(const VigilanciaAnfitrion&) = delete;
    VigilanciaAnfitrion& operator=(const VigilanciaAnfitrion&) = delete;

    bool nativeEventFilter(const QByteArray& tipo, void* mensaje, qintptr* resultado) override;

private:
    std::uint32_t anfitrion_;
    std::function<void()> al_desaparecer_;
    bool instalada_ = false;
};

}  // namespace thn::app
