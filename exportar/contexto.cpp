// SPDX-License-Identifier: EUPL-1.2
#include "exportar/contexto.h"

#include "formats/texto.h"

namespace thn {

std::string AtributoAnsi(const ElementoLeido& e, const char* atributo)
{
    return AAnsi(e.Atributo(atributo));
}

std::string Donde(const ElementoLeido& e)
{
    return e.Nombre() + " número " + std::to_string(e.Posicion());
}

dbf::Tabla AbrirParaEscribir(const ContextoExportacion& c, const DefinicionTabla& tabla)
{
    return dbf::Tabla(RutaTabla(c.directorio, tabla.nombre), dbf::Acceso::Exclusivo);
}

void AnotarRecuento(Informe& informe, const std::string& tabla, std::size_t registros)
{
    for (auto& r : informe.recuentos)
        if (r.tabla == tabla) {
            r.registros += registros;
            return;
        }
    informe.recuentos.push_back({tabla, registros});
}

}  // namespace thn
