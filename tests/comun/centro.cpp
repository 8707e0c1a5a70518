// SPDX-License-Identifier: EUPL-1.2
#include "comun/centro.h"

namespace thn::prueba {
namespace {

std::string Escapar(const std::string& s)
{
    std::string r;
    for (char c : s) {
        switch (c) {
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '&': r += "&amp;"; break;
        case '"': r += "&quot;"; break;
        case '\t': r += "&#9;"; break;
        default: r += c;
        }
    }
    return r;
}

}  // namespace

std::string Seccion(const std::string& seccion, const std::string& elemento, const std::vector<Atributos>& filas)
{
    std::string r = "<" + seccion + ">\n";
    for (const auto& fila : filas) {
        r += "  <" + elemento;
        for (const auto& [nombre, valor] : fila)
            r += " " + nombre + "=\"" + Escapar(valor) + "\"";
        r += "/>\n";
    }
    return r + "</" + seccion + ">\n";
}

std::string Centro(const std::string& secciones)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<centro codigo_interno=\"15000001\" nombre=\"IES Prueba\" curso=\"2026/2027\" version=\"3\">\n"
           + secciones + "</centro>\n";
}

std::vector<std::vector<std::string>> Filas(const std::filesystem::path& ruta, const std::vector<std::string>& campos)
{
    dbf::Tabla tabla(ruta, dbf::Acceso::Compartido);
    std::vector<std::vector<std::string>> filas;
    for (tabla.Primero(); !tabla.Fin(); tabla.Siguiente()) {
        std::vector<std::string> fila;
        for (const auto& campo : campos)
            fila.push_back(DesdeAnsi(tabla.LeerTexto(campo)));
        filas.push_back(std::move(fila));
    }
    return filas;
}

dbf::Tabla NuevaSoluc(const std::filesystem::path& htemp)
{
    using dbf::TipoCampo;
    const auto ruta = htemp / "SOLUC.DBF";
    dbf::Tabla::Crear(ruta, {{"DIA", TipoCampo::Entero, 0}, {"HORA", TipoCampo::Flotante, 0},
                             {"SESIONES", TipoCampo::Caracter, 20}, {"CODGRUPO", TipoCampo::Caracter, 10},
                             {"ASIG", TipoCampo::Caracter, 10}, {"TAREA", TipoCampo::Caracter, 10},
                             {"PROF", TipoCampo::Caracter, 10}, {"AULA", TipoCampo::Caracter, 10}});
    return dbf::Tabla(ruta, dbf::Acceso::Exclusivo);
}

}  // namespace thn::prueba
