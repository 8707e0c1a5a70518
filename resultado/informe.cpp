// SPDX-License-Identifier: EUPL-1.2
#include "resultado/informe.h"

#include <cstdio>

namespace thn {

std::string JsonTexto(const std::string& s)
{
    std::string r = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': r += "\\\""; break;
        case '\\': r += "\\\\"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        case '\t': r += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                r += buf;
            } else {
                r += static_cast<char>(c);
            }
        }
    }
    return r + "\"";
}

std::string JsonOmisiones(const std::vector<Omision>& lista)
{
    std::string r = "[";
    for (std::size_t i = 0; i < lista.size(); ++i) {
        if (i)
            r += ",";
        const Omision& o = lista[i];
        r += "{\"elemento\":" + JsonTexto(o.elemento) + ",\"posicion\":" + std::to_string(o.posicion)
           + ",\"codigo\":" + JsonTexto(o.codigo) + ",\"donde\":" + JsonTexto(o.donde)
           + ",\"motivo\":" + JsonTexto(o.motivo) + "}";
    }
    return r + "]";
}

std::string TextoOmisiones(const std::string& titulo, const std::vector<Omision>& lista)
{
    if (lista.empty())
        return {};
    std::string r = titulo + " (" + std::to_string(lista.size()) + "):\n";
    for (const auto& o : lista)
        r += "  " + o.donde + ": " + o.motivo + "\n";
    return r;
}

std::string TextoInforme(const Informe& informe)
{
    std::string r;
    for (const auto& c : informe.recuentos)
        r += c.tabla + ": " + std::to_string(c.registros) + (c.registros == 1 ? " registro\n" : " registros\n");
    return r + TextoOmisiones("Datos omitidos", informe.omisiones)
         + TextoOmisiones("Búsquedas sin resultado", informe.avisos);
}

std::string ResumenOmisiones(const Informe& informe)
{
    const std::size_t fuera = informe.omisiones.size(), vacias = informe.avisos.size();
    std::string r;
    if (fuera != 0)
        r = "Se han dejado fuera " + std::to_string(fuera) + (fuera == 1 ? " elemento" : " elementos");
    if (fuera != 0 && vacias != 0)
        r += " y ";
    if (vacias != 0)
        r += std::to_string(vacias) + (vacias == 1 ? " búsqueda no encontró nada" : " búsquedas no encontraron nada");
    return r.empty() ? r : r + "; vea los detalles.";
}

std::filesystem::path RutaInforme(const std::filesystem::path& documento)
{
    return documento.parent_path() / (documento.stem().string() + "-informe.txt");
}

std::string JsonInforme(const Informe& informe)
{
    std::string r = "\"recuentos\":[";
    for (std::size_t i = 0; i < informe.recuentos.size(); ++i) {
        if (i)
            r += ",";
        r += "{\"tabla\":" + JsonTexto(informe.recuentos[i].tabla)
           + ",\"registros\":" + std::to_string(informe.recuentos[i].registros) + "}";
    }
    r += "],\"omisiones\":" + JsonOmisiones(informe.omisiones);
    r += ",\"avisos\":" + JsonOmisiones(informe.avisos);
    return r;
}

}  // namespace thn
