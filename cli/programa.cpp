// SPDX-License-Identifier: EUPL-1.2
#include "cli/programa.h"

#include "cli/instalar_wine.h"
#include "cli/opciones.h"
#include "cli/salida.h"
#include "exportar/comprobacion_documento.h"
#include "exportar/exportacion.h"
#include "exportar/restauracion.h"
#include "trabajo/directorio.h"
#include "base/error.h"
#include "base/numeros.h"
#include "importar/comprobacion_solucion.h"
#include "importar/importacion.h"

#include <clocale>

namespace thn::cli {
namespace {

constexpr const char* kUso =
    "Uso: transhoralianorvica-cli ORDEN CENTRO.xml [opciones]\n"
    "     transhoralianorvica-cli anteriores | restaurar [FECHA] [opciones]\n"
    "\n"
    "Órdenes:\n"
    "  exportar CENTRO.xml   Transformar datos desde NORVICA hacia Horalia\n"
    "  importar CENTRO.xml   Transformar datos desde Horalia hacia NORVICA\n"
    "  comprobar CENTRO.xml  Lista todo lo que impediría, dejaría fuera o\n"
    "                        cambiaría la exportación, sin escribir nada\n"
    "                        (con --solucion, lo mismo de la importación)\n"
    "  anteriores            Lista las tablas que sustituyeron las últimas\n"
    "                        exportaciones (se guardan las tres últimas)\n"
    "  restaurar [FECHA]     Vuelve a poner las más recientes (o las de\n"
    "                        FECHA) y guarda a su vez las que sustituye\n"
    "  instalar-wine         Prepara Horalia en Wine para arrancar el programa\n"
    "                        (instalar-wine --help)\n"
    "\n"
    "Opciones (el valor, con = o separado):\n"
    "  --htemp DIR       directorio de trabajo de Horalia (por omisión\n"
    "                    $TRANSHORALIA_HTEMP o $WINEPREFIX/drive_c/HTEMP)\n"
    "  --json            salida en JSON, también los errores\n"
    "  --estricto        estado 4 si se ha dejado fuera algún dato\n"
    "  --solucion        comprobar: la solución SOLUC y las tablas que lee\n"
    "                    la importación\n"
    "  --separador-decimal C\n"
    "                    se acepta y no hace nada: las horas se leen con\n"
    "                    coma o con punto\n"
    "  --help, --version\n"
    "\n"
    "Estado de salida: 0 completado, 1 error, 2 uso incorrecto, 3 falta un\n"
    "archivo, 4 completado dejando datos fuera (con --estricto). comprobar:\n"
    "0 nada que señalar, 1 la acción se detendría, 4 dejaría fuera o\n"
    "cambiaría algún dato.\n";

// The document check needs no working directory and names none.
int Comprobar(const Opciones& o, Salida& s)
{
    Comprobacion c;
    if (o.solucion) {
        const auto directorio = DirectorioTrabajo(o.htemp);
        s.PonerDirectorio(directorio);
        c = ComprobarSolucion(o.documento, directorio);
    } else {
        c = ComprobarDocumento(o.documento);
    }
    if (c.desenlace == Desenlace::FaltaEntrada)
        return s.Error(kFaltaEntrada, o.solucion ? "No existe archivo XML o Solución." : "No existe archivo", c.detalle);
    return s.Comprobado(c);
}

}  // namespace

int Ejecutar(int argc, char** argv, std::ostream& salida, std::ostream& errores)
{
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (!args.empty() && args.front() == "instalar-wine")
        return OrdenInstalarWine({args.begin() + 1, args.end()}, salida, errores);
    const Analisis analisis = Analizar(args);
    Salida s(salida, errores, analisis.json);
    if (const auto* peticion = std::get_if<Peticion>(&analisis.resultado)) {
        salida << (*peticion == Peticion::Ayuda ? std::string(kUso)
                                                : std::string("transhoralianorvica-cli ") + THN_VERSION + "\n");
        return kCompletado;
    }
    if (const auto* error_uso = std::get_if<std::string>(&analisis.resultado))
        return s.ErrorUso(*error_uso);

    const Opciones& o = std::get<Opciones>(analisis.resultado);
    s.PonerAccion(o.orden, o.documento);
    try {
        if (o.orden == "comprobar")
            return Comprobar(o, s);
        const auto directorio = DirectorioTrabajo(o.htemp);
        s.PonerDirectorio(directorio);
        if (o.orden == "anteriores")
            return s.Anteriores(ListarAnteriores(directorio));
        ComponentesTabla componentes;
        ResultadoAccion resultado;
        if (o.orden == "restaurar") {
            resultado = Restaurar(directorio, o.fecha);
        } else if (o.orden == "exportar") {
            RegistrosCodigos registros;
            resultado = Exportar(o.documento, directorio, registros, componentes);
        } else {
            resultado = Importar(o.documento, directorio, componentes, SeparadorDecimalDelUsuario(),
                                 RelojDelSistema());
        }
        if (resultado.desenlace == Desenlace::FaltaEntrada)
            return s.Error(kFaltaEntrada, o.orden == "exportar" ? "No existe archivo" : "No existe archivo XML o Solución.",
                           resultado.detalle);
        return s.Finalizado(resultado, o.estricto);
    } catch (const Error& e) {
        return s.Error(kError, TextoCajaError(e.what()), e.Detalle());
    } catch (const std::exception& e) {
        return s.Error(kError, TextoCajaError(e.what()), {});
    }
}

}  // namespace thn::cli
