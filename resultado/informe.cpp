// SPDX-License-Identifier: EUPL-1.2
#include "resultado/informe.h"

namespace thn {

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

std::string TextoAnteriores(const ResultadoAccion& resultado)
{
    if (!resultado.aviso_anteriores.empty())
        return resultado.aviso_anteriores + ". Las tablas nuevas están en su sitio, pero las que había no se "
                                            "podrán volver a poner.";
    if (resultado.anteriores.empty())
        return {};
    return "Las tablas que había se han guardado en '" + resultado.anteriores.string()
         + "'; para volver a ponerlas: transhoralianorvica-cli restaurar (vea «Deshacer una exportación» en la "
           "ayuda).";
}

std::filesystem::path RutaInforme(const std::filesystem::path& documento)
{
    return documento.parent_path() / (documento.stem().string() + "-informe.txt");
}

}  // namespace thn
