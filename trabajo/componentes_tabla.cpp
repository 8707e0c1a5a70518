// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/componentes_tabla.h"

#include "trabajo/directorio.h"
#include "base/error.h"
#include "trabajo/tablas.h"

namespace thn {

void ComponenteTabla::Abrir(const std::filesystem::path& directorio)
{
    if (tabla_abierta_)
        return;
    ComprobarDirectorioTrabajo(directorio);
    tabla_abierta_.emplace(RutaTabla(directorio, tabla_), dbf::Acceso::Exclusivo);
}

void ComponenteTabla::AbrirFichero(const std::filesystem::path& ruta)
{
    if (!tabla_abierta_)
        tabla_abierta_.emplace(ruta, dbf::Acceso::Exclusivo);
}

void ComponenteTabla::Cerrar()
{
    if (!tabla_abierta_)
        return;
    // Reset even when closing fails, so the lock never outlives the component.
    std::optional<dbf::Tabla> t;
    t.swap(tabla_abierta_);
    t->Cerrar();
}

dbf::Tabla& ComponenteTabla::Tabla()
{
    if (!tabla_abierta_)
        throw Error("La tabla '" + tabla_ + "' no está abierta");
    return *tabla_abierta_;
}

void ComponentesTabla::CerrarTodos()
{
    for (ComponenteTabla* c : {&wwTableNomAsg, &wwTableProfesor, &wwTableTramos, &wwTableAulas, &wwTableGrupos,
                               &wwTableAsig, &wwTableSoluc, &wwTableCursos}) {
        try {
            c->Cerrar();
        } catch (...) {
            // Components hold only read tables: nothing is lost by going on.
        }
    }
}

}  // namespace thn
