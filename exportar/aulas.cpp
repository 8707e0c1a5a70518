// SPDX-License-Identifier: EUPL-1.2
// Rooms into AULAT.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"

#include "formats/tablas_trabajo.h"
#include "formats/texto.h"

namespace thn {

void TransformarAulas(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaAulat());
    CodigosUsados usados;
    const auto& elementos = c.documento.Seleccionar("/centro/aulas/daula");
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaAulat());

    for (const auto& e : elementos) {
        std::string codigo = AtributoAnsi(e, "codigo");
        const std::string nombre = AtributoAnsi(e, "nombre");
        if (codigo.empty())
            codigo = PrimerosAnsi(nombre, 4);
        if (usados.Contiene(codigo))
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 9));
        if (codigo.size() > 10)
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 8));
        usados.Anadir(codigo);

        tabla.Anadir();
        tabla.PonerTexto("ABREV", codigo);
        tabla.PonerTexto("NOMBRE", nombre);
        tabla.PonerTexto("MAXALUM", AtributoAnsi(e, "capacidad_alumnos"));
        tabla.PonerTexto("IDAULA", AtributoAnsi(e, "idaula"));
        tabla.Grabar();
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaAulat().nombre, elementos.size());
}

}  // namespace thn
