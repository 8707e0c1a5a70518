// SPDX-License-Identifier: EUPL-1.2
#include "importar/reloj.h"

#include "so/plataforma.h"

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
    const std::tm local = so::HoraLocal(ahora());
    return Formatear(local, formato_fecha) + " " + Formatear(local, formato_hora);
}

Reloj RelojDelSistema()
{
    // The user's own formats; a system without a regional setting gets the
    // day-first form users here expect.
    auto [fecha, hora] = so::FormatosDelUsuario();
    if (fecha.empty())
        fecha = "%d/%m/%Y";
    if (hora.empty())
        hora = "%H:%M:%S";
    return Reloj{[] { return std::time(nullptr); }, fecha, hora};
}

}  // namespace thn
