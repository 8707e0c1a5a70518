// SPDX-License-Identifier: EUPL-1.2
#include "importar/reloj.h"

#include <langinfo.h>

namespace thn {
namespace {

std::string Formatear(const std::tm& momento, const std::string& formato)
{
    if (formato.empty())
        return {};
    char buf[256];
    const std::size_t n = std::strftime(buf, sizeof buf, formato.c_str(), &momento);
    return std::string(buf, n);
}

}  // namespace

std::string Reloj::MarcaTemporal() const
{
    const std::time_t t = ahora();
    std::tm local{};
    localtime_r(&t, &local);
    return Formatear(local, formato_fecha) + " " + Formatear(local, formato_hora);
}

Reloj RelojDelSistema()
{
    // The locale's own formats; the C locale's date is %m/%d/%y, so a system
    // without a regional setting gets the day-first form users here expect.
    std::string fecha = nl_langinfo(D_FMT);
    std::string hora = nl_langinfo(T_FMT);
    if (fecha.empty() || fecha == "%m/%d/%y")
        fecha = "%d/%m/%Y";
    if (hora.empty())
        hora = "%H:%M:%S";
    return Reloj{[] { return std::time(nullptr); }, fecha, hora};
}

}  // namespace thn
