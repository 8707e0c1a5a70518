// SPDX-License-Identifier: EUPL-1.2
// Teachers into PROFT.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "trabajo/tablas.h"
#include "base/texto.h"

namespace thn {

void TransformarProfesores(ContextoExportacion& c)
{
    CodigosUsados usados;
    ConvertirElementos(c, TablaProft(), "/centro/profesores/profesor", [&](Lectura& l, dbf::Tabla& tabla) {
        const std::string codigo = l.Ansi("codigo");
        // The code page maps character by character: converting the parts
        // one by one gives the joined name's bytes.
        const std::string nombre = l.Ansi("nombre");
        const std::string apellido1 = l.Ansi("apellido1");
        const std::string apellido2 = l.Ansi("apellido2");
        const std::string nombre_completo = nombre + ", " + apellido1 + " " + apellido2;
        const std::string documento = l.Ansi("documento");
        const std::string id = l.Ansi("idprofesor");
        if (!l.Utilizable())
            return false;

        // ABREV keeps 10 characters, and Horalia tells teachers apart by it:
        // the list holds that form, and a taken one gets a counter that fits.
        std::string corto(PrimerosAnsi(codigo, 10));
        const bool ocupado = usados.Contiene(corto);
        if (ocupado)
            corto = usados.PrimerLibreDeAncho(PrimerosAnsi(codigo, 9), 10);
        usados.Anadir(corto);
        l.CodigoCambiado(codigo, corto, ocupado, "PROFT.ABREV");

        tabla.Anadir();
        tabla.PonerTexto("ABREV", corto);
        tabla.PonerTexto("NOMBRE", nombre_completo);
        tabla.PonerTexto("DNI", documento);
        tabla.PonerTexto("IDPROF", id);
        return true;
    });
}

}  // namespace thn
