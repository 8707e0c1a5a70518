// SPDX-License-Identifier: EUPL-1.2
#include "exportar/comprobacion_documento.h"

#include "exportar/conversiones.h"
#include "exportar/revision.h"
#include "trabajo/carpeta_temporal.h"
#include "documento/entrada_ausente.h"
#include "base/error.h"

#include <optional>

namespace thn {

Comprobacion ComprobarDocumento(const std::filesystem::path& documento)
{
    Comprobacion r;
    if (auto ausente = ArchivoAusente(documento)) {
        r.desenlace = Desenlace::FaltaEntrada;
        r.detalle = *ausente;
        return r;
    }
    std::optional<CentroLeido> doc;
    try {
        doc.emplace(LeerCentro(documento));
    } catch (const Error& e) {
        // Nothing past this can be read: the one problem there is.
        r.problemas.push_back(
            {"documento", 0, "documento_no_valido", "documento", e.what(), {}, LineaDelMensaje(e.what())});
        return r;
    }
    AnotarFueraDeLugar(*doc, r.informe);

    CarpetaTemporal carpeta;
    RegistrosCodigos registros;
    ComponentesTabla componentes;
    Revision revision;
    ContextoExportacion c{*doc, carpeta.Ruta(), registros, componentes, r.informe, &revision};
    EjecutarConversiones(c);
    r.problemas = std::move(revision.problemas);
    r.cambios = std::move(revision.cambios);
    return r;
}

}  // namespace thn
