// SPDX-License-Identifier: EUPL-1.2
#include "cli/opciones.h"

namespace thn::cli {

Analisis Analizar(const std::vector<std::string>& args)
{
    Analisis a;
    Opciones o;
    std::vector<std::string> posicionales;
    std::string error;
    for (std::size_t i = 0; i < args.size() && error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            a.resultado = Peticion::Ayuda;
            return a;
        }
        if (arg == "--version") {
            a.resultado = Peticion::Version;
            return a;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            posicionales.push_back(arg);
            continue;
        }
        const std::size_t igual = arg.find('=');
        const std::string nombre = arg.substr(0, igual);
        std::optional<std::string> valor;
        if (igual != std::string::npos)
            valor = arg.substr(igual + 1);
        const bool con_valor = nombre == "--htemp" || nombre == "--separador-decimal";
        if (!con_valor && valor) {
            error = "la opción " + nombre + " no lleva valor";
        } else if (nombre == "--json") {
            o.json = true;
        } else if (nombre == "--estricto") {
            o.estricto = true;
        } else if (nombre == "--solucion") {
            o.solucion = true;
        } else if (!con_valor) {
            error = "opción desconocida: '" + arg + "'";
        } else if (!valor && i + 1 >= args.size()) {
            error = "falta el valor de " + nombre;
        } else {
            const std::string v = valor ? *valor : args[++i];
            if (v.empty())
                error = "falta el valor de " + nombre;
            else if (nombre == "--htemp")
                o.htemp = v;
            // --separador-decimal is accepted and ignored: hours read with either separator.
        }
    }
    const std::string orden = posicionales.empty() ? std::string() : posicionales[0];
    // The kept sets need no document; restaurar may name one of them.
    const bool sin_documento = orden == "anteriores" || orden == "restaurar";
    const std::size_t maximo = orden == "anteriores" ? 1 : 2;
    if (error.empty()) {
        if (posicionales.empty())
            error = "falta la orden: exportar, importar, comprobar, anteriores o restaurar";
        else if (orden != "exportar" && orden != "importar" && orden != "comprobar" && !sin_documento)
            error = "orden desconocida: '" + orden + "'";
        else if (o.solucion && orden != "comprobar")
            error = "la opción --solucion solo vale con comprobar";
        else if (posicionales.size() < 2 && !sin_documento)
            error = "falta el documento del centro (CENTRO.xml)";
        else if (posicionales.size() > maximo)
            error = "sobra el argumento '" + posicionales[maximo] + "'";
    }
    // --json may come after the error; it still decides the form of the answer.
    for (const std::string& arg : args)
        a.json = a.json || arg == "--json";
    if (!error.empty()) {
        a.resultado = error;
        return a;
    }
    o.orden = orden;
    if (orden == "restaurar")
        o.fecha = posicionales.size() > 1 ? posicionales[1] : "";
    else if (!sin_documento)
        o.documento = posicionales[1];
    a.resultado = o;
    return a;
}

}  // namespace thn::cli
