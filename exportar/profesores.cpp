// SPDX-License-Identifier: EUPL-1.2
// Teachers into PROFT.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"

#include "formats/tablas_trabajo.h"
#include "formats/texto.h"

namespace thn {

void TransformarProfesores(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaProft());
    CodigosUsados usados;
    const auto& elementos = c.documento.Seleccionar("/centro/profesores/profesor");
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaProft());

    for (const auto& e : elementos) {
        const std::string codigo = AtributoAnsi(e, "codigo");
        const std::string nombre = e.Atributo("nombre");
        const std::string apellido1 = e.Atributo("apellido1");
        const std::string apellido2 = e.Atributo("apellido2");
        const std::string nombre_completo = AAnsi(nombre + ", " + apellido1 + " " + apellido2);
        const std::string documento = AtributoAnsi(e, "documento");
        const std::string id = AtributoAnsi(e, "idprofesor");

        // ABREV keeps 10 characters, and Horalia tells teachers apart by it:
        // the list holds that form, and a taken one gets a counter that fits.
        std::string corto(PrimerosAnsi(codigo, 10));
        if (usados.Contiene(corto))
            corto = usados.PrimerLibreDeAncho(PrimerosAnsi(codigo, 9), 10);
        usados.Anadir(corto);

        tabla.Anadir();
        tabla.PonerTexto("ABREV", corto);
        tabla.PonerTexto("NOMBRE", nombre_completo);
        tabla.PonerTexto("DNI", documento);
        tabla.PonerTexto("IDPROF", id);
        tabla.Grabar();
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaProft().nombre, elementos.size());
}

}  // namespace thn
