// SPDX-License-Identifier: EUPL-1.2
#include "help/hhctrl/contextos_chm.h"

#include "help/hhctrl/binario_chm.h"
#include "help/hhctrl/direccion_chm.h"

namespace thn::chm {

// /#IVB: a u32 byte count, then pairs of u32 context number and u32 offset
// into /#STRINGS. A count beyond the object is cut to what is there.
std::optional<std::string> NombreDeContexto(std::string_view ivb, std::string_view cadenas, std::uint32_t contexto)
{
    const auto bytes = U32(ivb, 0);
    if (!bytes)
        return std::nullopt;
    const std::size_t fin = 4 + std::min<std::size_t>(*bytes, ivb.size() - 4);
    for (std::size_t p = 4; p + 8 <= fin; p += 8)
        if (U32(ivb, p) == contexto) {
            const auto nombre = TextoEn(cadenas, *U32(ivb, p + 4));
            if (nombre && !nombre->empty())
                return nombre;
            return std::nullopt;
        }
    return std::nullopt;
}

std::vector<std::string> CandidatosRuta(std::string_view nombre)
{
    std::vector<std::string> candidatos;
    std::string ruta = NormalizarRuta(SinFragmento(nombre));
    while (!ruta.empty()) {
        candidatos.push_back(ruta);
        const std::size_t siguiente = ruta.find('/', 1);
        if (siguiente == std::string::npos)
            break;
        ruta.erase(0, siguiente);
    }
    return candidatos;
}

std::optional<std::string> TemaDeContexto(const ArchivoChm& archivo, std::uint32_t contexto)
{
    const auto ivb = archivo.Leer("/#IVB");
    const auto cadenas = archivo.Leer("/#STRINGS");
    if (!ivb || !cadenas)
        return std::nullopt;
    const auto nombre = NombreDeContexto(*ivb, *cadenas, contexto);
    if (!nombre)
        return std::nullopt;
    for (const auto& candidato : CandidatosRuta(*nombre))
        if (auto ruta = archivo.Resolver(candidato))
            return ruta;
    return std::nullopt;
}

}  // namespace thn::chm
