// SPDX-License-Identifier: EUPL-1.2
#include "importar/medida_tablas.h"

#include "dbf/medida.h"

namespace thn {

void AnotarSobrantes(const std::string& tabla, const std::filesystem::path& ruta, bool solo_registros,
                     Informe& informe)
{
    const auto m = dbf::MedirTabla(ruta);
    if (!m || m->Sobrantes() == 0)
        return;
    const std::uint64_t enteros = m->long_registro ? m->Sobrantes() / m->long_registro : 0;
    if (solo_registros && enteros == 0)
        return;
    informe.omisiones.push_back(
        {tabla, 0, "cabecera_no_coincide", ruta.string(),
         "su cabecera anuncia " + std::to_string(m->registros) + (m->registros == 1 ? " registro" : " registros")
             + ", que acaban en el byte "
             + std::to_string(m->fin_registros) + ", y el fichero tiene " + std::to_string(m->tamano)
             + " bytes: los " + std::to_string(m->Sobrantes()) + " bytes de más (" + std::to_string(enteros)
             + " registros enteros) no se leen"});
}

}  // namespace thn
