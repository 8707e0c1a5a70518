// SPDX-License-Identifier: EUPL-1.2
#include "resultado/informe.h"

namespace thn {

namespace {

// A large centre's report runs to megabytes: its lines go straight into one
// string, sized once, not through a temporary each.
std::size_t LargoOmisiones(const std::string& titulo, const std::vector<Omision>& lista)
{
    std::size_t n = titulo.size() + 32;
    for (const auto& o : lista)
        n += o.donde.size() + o.motivo.size() + 5;
    return n;
}

void AnadirOmisiones(std::string& r, const std::string& titulo, const std::vector<Omision>& lista)
{
    if (lista.empty())
        return;
    r.append(titulo).append(" (").append(std::to_string(lista.size())).append("):\n");
    for (const auto& o : lista)
        r.append("  ").append(o.donde).append(": ").append(o.motivo).append("\n");
}

}  // namespace

std::string TextoOmisiones(const std::string& titulo, const std::vector<Omision>& lista)
{
    std::string r;
    r.reserve(LargoOmisiones(titulo, lista));
    AnadirOmisiones(r, titulo, lista);
    return r;
}

std::string TextoInforme(const Informe& informe)
{
    const std::string omitidos = "Datos omitidos", sin_resultado = "Búsquedas sin resultado";
    std::string r;
    r.reserve(64 * informe.recuentos.size() + LargoOmisiones(omitidos, informe.omisiones)
              + LargoOmisiones(sin_resultado, informe.avisos));
    for (const auto& c : informe.recuentos)
        r.append(c.tabla).append(": ").append(std::to_string(c.registros)).append(c.registros == 1 ? " registro\n" : " registros\n");
    AnadirOmisiones(r, omitidos, informe.omisiones);
    AnadirOmisiones(r, sin_resultado, informe.avisos);
    return r;
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
