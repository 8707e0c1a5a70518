// SPDX-License-Identifier: EUPL-1.2
#include "trabajo/tablas.h"

#include "base/ascii.h"
#include "so/sistema.h"
#include "trabajo/directorio.h"

namespace thn {
namespace {

using dbf::TipoCampo;

dbf::DefinicionCampo C(const char* nombre, int ancho) { return {nombre, TipoCampo::Caracter, ancho}; }
dbf::DefinicionCampo L(const char* nombre) { return {nombre, TipoCampo::Logico, 0}; }
dbf::DefinicionCampo I(const char* nombre) { return {nombre, TipoCampo::Entero, 0}; }
dbf::DefinicionCampo F(const char* nombre) { return {nombre, TipoCampo::Flotante, 0}; }

}  // namespace

const DefinicionTabla& TablaAsignomt()
{
    static const DefinicionTabla t{"ASIGNOMT",
        {C("COD", 10), C("CODLARGO", 10), C("NOMBRE", 80), C("CODTAREA", 10), L("ESTAREA"), C("IDASIG", 10)},
        true};
    return t;
}

const DefinicionTabla& TablaProft()
{
    static const DefinicionTabla t{"PROFT",
        {C("ABREV", 10), C("NOMBRE", 80), C("DEPART", 40), C("DNI", 14), C("IDPROF", 10)}, true};
    return t;
}

const DefinicionTabla& TablaAulat()
{
    static const DefinicionTabla t{"AULAT",
        {C("ABREV", 10), C("NOMBRE", 80), C("EDIFICIO", 1), I("MAXALUM"), C("IDAULA", 20)}, true};
    return t;
}

const DefinicionTabla& TablaGrupost()
{
    static const DefinicionTabla t{"GRUPOST",
        {C("ABREV", 10), C("TURNO", 1), C("NIVEL", 5), C("CURSO", 3), C("GRUPO", 2), C("IDGRUPO", 10),
         C("IDCURSO", 10), C("DESCRIP", 80), C("TUTOR", 10)},
        true};
    return t;
}

const DefinicionTabla& TablaDiashorast()
{
    static const DefinicionTabla t{"DIASHORAST",
        {C("DIHO", 10), C("CODDIHO", 10), C("DIA", 20), C("TEXTODIA", 20), C("HORA", 8), C("TEXTOHOR", 15),
         C("HORADESDE", 8), C("HORAHASTA", 8), C("MINUTOS", 8), I("SESION_ORDEN"), C("PLANTILLA", 20)},
        false};
    return t;
}

const DefinicionTabla& TablaAsigt()
{
    static const DefinicionTabla t{"ASIGT",
        {C("CASIG", 10), C("CPROF", 10), C("CGRUP", 10), C("CAULA", 10), C("TURNO", 1), C("NIVEL", 5),
         C("CURSO", 3), C("GRUPO", 2), F("HORAS"), C("SESIONES", 20), C("CTAREA", 10), C("NCONEX", 4),
         C("IDCURSO", 10), C("IDGRUP", 10), C("IDASIG", 10), C("IDPROF", 10)},
        true};
    return t;
}

const std::vector<const DefinicionTabla*>& TablasExportadas()
{
    static const std::vector<const DefinicionTabla*> tablas{&TablaAsignomt(), &TablaProft(),     &TablaAulat(),
                                                            &TablaGrupost(),  &TablaDiashorast(), &TablaAsigt()};
    return tablas;
}

std::optional<std::string> TablaExportadaDe(const std::string& fichero, bool indice)
{
    const std::string buscado = MinusculasAscii(fichero);
    for (const DefinicionTabla* t : TablasExportadas())
        if (buscado == MinusculasAscii(std::string(t->nombre) + ".DBF")
            || (indice && buscado == MinusculasAscii(std::string(t->nombre) + ".MDX")))
            return std::string(t->nombre);
    return std::nullopt;
}

std::filesystem::path RutaTabla(const std::filesystem::path& directorio, const std::string& nombre)
{
    const std::string fichero = nombre + ".DBF";
    if (auto encontrado = BuscarFichero(directorio, fichero))
        return *encontrado;
    return directorio / fichero;
}

void RecrearTabla(const std::filesystem::path& directorio, const DefinicionTabla& tabla)
{
    const std::string nombre = tabla.nombre;
    // A table held by another program is not deleted; creating it then fails
    // and names the table.
    const auto existente = BuscarFichero(directorio, nombre + ".DBF");
    if (!existente || !so::BloqueadoPorOtro(*existente))
        BorrarFichero(directorio, nombre + ".DBF");
    if (tabla.borrar_indice)
        BorrarFichero(directorio, nombre + ".MDX");
    ComprobarDirectorioTrabajo(directorio);
    dbf::Tabla::Crear(existente && std::filesystem::exists(*existente) ? *existente : directorio / (nombre + ".DBF"),
                      tabla.campos);
}

}  // namespace thn
