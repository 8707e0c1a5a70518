// SPDX-License-Identifier: EUPL-1.2
#include "exportar/contexto.h"

#include "exportar/revision.h"
#include "base/texto.h"

namespace thn {

std::string Donde(const ElementoLeido& e)
{
    return e.Nombre() + " número " + std::to_string(e.Posicion());
}

dbf::Tabla AbrirParaEscribir(const ContextoExportacion& c, const DefinicionTabla& tabla)
{
    dbf::Tabla t(RutaTabla(c.directorio, tabla.nombre), dbf::Acceso::SoloAnadir);
    if (Revision* r = c.revision)
        t.AvisarCortes([r, nombre = std::string(tabla.nombre)](const std::string& campo, std::string_view ansi,
                                                              std::size_t ancho) {
            if (const ElementoLeido* e = r->actual)
                r->cambios.push_back({e->Nombre(), e->Posicion(), "texto_cortado", Donde(*e) + ", campo " + campo,
                                      "'" + DesdeAnsi(ansi) + "' no cabe en " + nombre + "." + campo + " ("
                                          + std::to_string(ancho) + " caracteres): se guarda '"
                                          + DesdeAnsi(ansi.substr(0, ancho)) + "'"});
        });
    return t;
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
