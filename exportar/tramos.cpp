// SPDX-License-Identifier: EUPL-1.2
// Time slots into DIASHORAST.

#include "exportar/conversiones.h"

#include "formats/numeros.h"
#include "formats/tablas_trabajo.h"
#include "formats/texto.h"

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

    for (const auto& e : elementos) {
        const std::int32_t dia = EnteroDesdeTexto(e.Atributo("dia_semana"));
        if (dia >= 1 && dia <= 7)
            nombre_dia = kDias[static_cast<std::size_t>(dia - 1)];
        const std::int32_t posicion = EnteroDesdeTexto(e.Atributo("posicion"));
        const std::string inicio = AtributoAnsi(e, "hora_inicio");
        const std::string fin = AtributoAnsi(e, "hora_final");
        const int minutos_inicio = Minutos(inicio);
        const int minutos_fin = Minutos(fin);
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
    }
    tabla.Cerrar();
    AnotarRecuento(c.informe, TablaDiashorast().nombre, elementos.size());
}

}  // namespace thn
