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
    RecrearTabla(c.directorio, TablaAulat());
    CodigosUsados usados;
    const auto& elementos = c.documento.Seleccionar("/centro/aulas/daula");
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaAulat());

    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        const std::string original = l.Ansi("codigo");
        const std::string nombre = l.Ansi("nombre");
        if (!l.Utilizable())
            continue;
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
            continue;  // the record begun is dropped by the next one
        l.CodigoCambiado(original.empty() && !ocupado ? original : base, codigo, ocupado, "AULAT.ABREV");
        tabla.Grabar();
        ++escritos;
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaAulat().nombre, escritos);
}

}  // namespace thn
