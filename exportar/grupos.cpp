// SPDX-License-Identifier: EUPL-1.2
// Groups into GRUPOST.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"

#include "formats/tablas_trabajo.h"
#include "formats/texto.h"

namespace thn {

void TransformarGrupos(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaGrupost());
    CodigosUsados usados;
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaGrupost());
    // Held from here until the assignments have looked teachers up in it.
    c.componentes.wwTableProfesor.Abrir(c.directorio);
    const auto& elementos = c.documento.Seleccionar("/centro/grupos/dgrupo");

    for (const auto& e : elementos) {
        std::string codigo = AtributoAnsi(e, "codigo");
        const std::string nombre = AtributoAnsi(e, "nombre");
        const std::string nivel = AtributoAnsi(e, "codigo_nivel");
        const std::string curso = AtributoAnsi(e, "curso");
        const std::string letra = AtributoAnsi(e, "cgrupo");

        if (usados.Contiene(codigo))
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 9));
        if (codigo.size() > 10)
            codigo = codigo.substr(0, 8) + codigo.substr(codigo.size() - 2);
        // The shortened form may meet a code given before; Horalia and the
        // import tell groups apart by ABREV, so it must stay unique.
        if (usados.Contiene(codigo))
            codigo = usados.PrimerLibreDeAncho(PrimerosAnsi(codigo, 8), 10);
        usados.Anadir(codigo);

        tabla.Anadir();
        tabla.PonerTexto("ABREV", codigo);
        tabla.PonerTexto("TURNO", "");
        tabla.PonerTexto("NIVEL", nivel);
        tabla.PonerTexto("CURSO", curso);
        tabla.PonerTexto("GRUPO", letra);
        tabla.PonerTexto("IDGRUPO", AtributoAnsi(e, "idgrupo"));
        tabla.PonerTexto("IDCURSO", AtributoAnsi(e, "idcurso"));
        tabla.PonerTexto("DESCRIP", nombre);
        tabla.PonerTexto("TUTOR", "");
        tabla.Grabar();
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaGrupost().nombre, elementos.size());
}

}  // namespace thn
