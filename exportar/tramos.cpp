// SPDX-License-Identifier: EUPL-1.2
// Time slots into DIASHORAST.

#include "exportar/conversiones.h"
#include "exportar/lectura.h"

#include "base/numeros.h"
#include "trabajo/tablas.h"
#include "base/texto.h"

#include <array>

namespace thn {
namespace {

// Windows-1252 text, as the table stores it.
const std::array<const char*, 7> kDias = {"Lunes", "Martes", "Mi\xe9rcoles", "Jueves", "Viernes", "S\xe1" "bado",
                                          "Domingo"};

// "hh:mm": characters 1-2 are the hours, 4-5 the minutes; the third is not examined.
int Minutos(const std::string& hora)
{
    const std::string_view h(hora);
    const int horas = EnteroDesdeTexto(DesdeAnsi(h.substr(0, 2)));
    const int minutos = EnteroDesdeTexto(DesdeAnsi(h.size() > 3 ? h.substr(3, 2) : std::string_view()));
    return horas * 60 + minutos;
}

}  // namespace

void TransformarTramos(ContextoExportacion& c)
{
    RecrearTabla(c.directorio, TablaDiashorast());
    const auto& elementos = c.documento.Seleccionar("/centro/franjashorarias/franjahoraria");
    if (elementos.empty()) {
        AnotarRecuento(c.informe, TablaDiashorast().nombre, 0);
        return;
    }
    dbf::Tabla tabla = AbrirParaEscribir(c, TablaDiashorast());
    // A day number outside 1-7 keeps the name of the slot before it.
    std::string nombre_dia;

    std::size_t escritos = 0;
    for (const auto& e : elementos) {
        Lectura l(c, e);
        std::int32_t dia = 0, posicion = 0;
        int minutos_inicio = 0, minutos_fin = 0;
        const std::string texto_dia = l.Texto("dia_semana");
        l.Intentar("dia_semana", "entero_no_valido", [&] { dia = EnteroDesdeTexto(texto_dia); });
        if (l.Utilizable() && dia >= 1 && dia <= 7)
            nombre_dia = kDias[static_cast<std::size_t>(dia - 1)];
        const std::string texto_posicion = l.Texto("posicion");
        l.Intentar("posicion", "entero_no_valido", [&] { posicion = EnteroDesdeTexto(texto_posicion); });
        const std::string inicio = l.Ansi("hora_inicio");
        const std::string fin = l.Ansi("hora_final");
        l.Intentar("hora_inicio", "hora_no_valida", [&] { minutos_inicio = Minutos(inicio); });
        l.Intentar("hora_final", "hora_no_valida", [&] { minutos_fin = Minutos(fin); });
        if (!l.Utilizable())
            continue;
        const std::string texto_hora = inicio + "-" + fin;

        tabla.Anadir();
        tabla.PonerTexto("DIHO", TextoDesdeEntero(dia) + TextoDesdeEntero(posicion));
        tabla.PonerTexto("DIA", TextoDesdeEntero(dia));
        tabla.PonerTexto("TEXTODIA", nombre_dia);
        tabla.PonerTexto("HORA", TextoDesdeEntero(posicion));
        tabla.PonerTexto("TEXTOHOR", texto_hora);
        tabla.PonerTexto("HORADESDE", inicio);
        tabla.PonerTexto("HORAHASTA", fin);
        tabla.PonerTexto("MINUTOS", TextoDesdeEntero(minutos_fin - minutos_inicio));
        tabla.PonerEntero("SESION_ORDEN", posicion);
        tabla.PonerTexto("PLANTILLA", "");
        tabla.Grabar();
        ++escritos;
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaDiashorast().nombre, escritos);
}

}  // namespace thn
