// SPDX-License-Identifier: EUPL-1.2
// Rooms into AULAT.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "trabajo/tablas.h"
#include "base/texto.h"

namespace thn {

void TransformarAulas(ContextoExportacion& c)
{
    CodigosUsados usados;
    ConvertirElementos(c, TablaAulat(), "/centro/aulas/daula", [&](Lectura& l, dbf::Tabla& tabla) {
        const std::string original = l.Ansi("codigo");
        const std::string nombre = l.Ansi("nombre");
        if (!l.Utilizable())
            return false;
        const std::string base(original.empty() ? PrimerosAnsi(nombre, 4) : original);
        std::string codigo = base;
        const bool ocupado = usados.Contiene(codigo);
        if (ocupado)
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 9));
        if (codigo.size() > 10)
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 8));
        usados.Anadir(codigo);

        tabla.Anadir();
        tabla.PonerTexto("ABREV", codigo);
        tabla.PonerTexto("NOMBRE", nombre);
        const std::string capacidad = l.Ansi("capacidad_alumnos");
        l.Intentar("capacidad_alumnos", "entero_no_valido", [&] { tabla.PonerTexto("MAXALUM", capacidad); });
        tabla.PonerTexto("IDAULA", l.Ansi("idaula"));
        if (!l.Utilizable())
            return false;
        l.CodigoCambiado(original.empty() && !ocupado ? original : base, codigo, ocupado, "AULAT.ABREV");
        return true;
    });
}

}  // namespace thn
