// SPDX-License-Identifier: EUPL-1.2
// Groups into GRUPOST.

#include "exportar/codigos_usados.h"
#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "trabajo/tablas.h"
#include "base/texto.h"

namespace thn {

void TransformarGrupos(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaGrupost());
    CodigosUsados usados;
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaGrupost());
    // Held from here until the assignments have looked teachers up in it.
    c.componentes.wwTableProfesor.Abrir(c.directorio);
    const auto& elementos = c.documento.Seleccionar("/centro/grupos/dgrupo");

    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        const std::string original = l.Ansi("codigo");
        const std::string nombre = l.Ansi("nombre");
        const std::string nivel = l.Ansi("codigo_nivel");
        const std::string curso = l.Ansi("curso");
        const std::string letra = l.Ansi("cgrupo");
        if (!l.Utilizable())
            continue;

        std::string codigo = original;
        bool ocupado = usados.Contiene(codigo);
        if (ocupado)
            codigo = usados.PrimerLibre(PrimerosAnsi(codigo, 9));
        if (codigo.size() > 10)
            codigo = codigo.substr(0, 8) + codigo.substr(codigo.size() - 2);
        // The shortened form may meet a code given before; Horalia and the
        // import tell groups apart by ABREV, so it must stay unique.
        if (usados.Contiene(codigo)) {
            codigo = usados.PrimerLibreDeAncho(PrimerosAnsi(codigo, 8), 10);
            ocupado = true;
        }
        usados.Anadir(codigo);
        const std::string id_grupo = l.Ansi("idgrupo");
        const std::string id_curso = l.Ansi("idcurso");
        if (!l.Utilizable())
            continue;
        l.CodigoCambiado(original, codigo, ocupado, "GRUPOST.ABREV");

        tabla.Anadir();
        tabla.PonerTexto("ABREV", codigo);
        tabla.PonerTexto("TURNO", "");
        tabla.PonerTexto("NIVEL", nivel);
        tabla.PonerTexto("CURSO", curso);
        tabla.PonerTexto("GRUPO", letra);
        tabla.PonerTexto("IDGRUPO", id_grupo);
        tabla.PonerTexto("IDCURSO", id_curso);
        tabla.PonerTexto("DESCRIP", nombre);
        tabla.PonerTexto("TUTOR", "");
        tabla.Grabar();
        ++escritos;
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaGrupost().nombre, escritos);
}

}  // namespace thn
