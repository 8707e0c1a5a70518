// SPDX-License-Identifier: EUPL-1.2
#pragma once
// The time stamp of an import: local date in the short date format, a blank,
// local time in the long time format. Injected so tests are exact.

#include <ctime>
#include <functional>
#include <string>

namespace thn {

struct Reloj {
    std::function<std::time_t()> ahora;
    std::string formato_fecha;   // strftime format of the short date
    std::string formato_hora;    // strftime format of the long time

    std::string MarcaTemporal() const;
};

// The system clock, with the formats of the user's locale (LC_TIME).
Reloj RelojDelSistema();

}  // namespace thn
