// SPDX-License-Identifier: EUPL-1.2
#include "exportacion_prueba.h"

#include "trabajo/tablas.h"

#include <map>

namespace thn::prueba {
namespace {

// Every section with two good elements; `roto` names the section whose second
// element loses `atributo`.
std::string CentroCompleto(const std::string& roto = "", const std::string& atributo = "")
{
    auto quitar = [&](const std::string& seccion, Atributos a) {
        if (seccion == roto)
            std::erase_if(a, [&](const auto& par) { return par.first == atributo; });
        return a;
    };
    auto dos = [&](const std::string& seccion, const std::string& elemento, Atributos a, Atributos b) {
        return Seccion(seccion, elemento, {a, quitar(seccion, b)});
    };
    return dos("materias", "dmateria",
               {{"codigo", "MAT"}, {"nombre", "Mat"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}},
               {{"codigo", "LEN"}, {"nombre", "Len"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "102"}})
         + dos("profesores", "profesor",
               {{"codigo", "A"}, {"nombre", "a"}, {"apellido1", "b"}, {"apellido2", "c"}, {"documento", "1"},
                {"idprofesor", "501"}},
               {{"codigo", "B"}, {"nombre", "a"}, {"apellido1", "b"}, {"apellido2", "c"}, {"documento", "2"},
                {"idprofesor", "502"}})
         + dos("aulas", "daula", {{"codigo", "A1"}, {"nombre", "x"}, {"capacidad_alumnos", "30"}, {"idaula", "1"}},
               {{"codigo", "A2"}, {"nombre", "y"}, {"capacidad_alumnos", "20"}, {"idaula", "2"}})
         + dos("grupos", "dgrupo",
               {{"codigo", "1A"}, {"nombre", "x"}, {"codigo_nivel", "ESO"}, {"curso", "1"}, {"cgrupo", "A"},
                {"idgrupo", "G1"}, {"idcurso", "C1"}},
               {{"codigo", "1B"}, {"nombre", "y"}, {"codigo_nivel", "ESO"}, {"curso", "1"}, {"cgrupo", "B"},
                {"idgrupo", "G2"}, {"idcurso", "C1"}})
         + dos("franjashorarias", "franjahoraria",
               {{"dia_semana", "1"}, {"posicion", "1"}, {"hora_inicio", "08:00"}, {"hora_final", "09:00"}},
               {{"dia_semana", "1"}, {"posicion", "2"}, {"hora_inicio", "09:00"}, {"hora_final", "10:00"}})
         + dos("asignaturas", "dasignatura",
               {{"cgrupo", "G1"}, {"casig", "101"}, {"cprofe", "501"}, {"conexion", ""}, {"nhoras", "4"}},
               {{"cgrupo", "G2"}, {"casig", "102"}, {"cprofe", "502"}, {"conexion", ""}, {"nhoras", "3"}});
}

class Fallos : public PruebaExportacion {
protected:
    // Every working table holds one stale record, to tell old content from new.
    void SembrarTablasViejas()
    {
        for (const DefinicionTabla* t : {&TablaAsignomt(), &TablaProft(), &TablaAulat(), &TablaGrupost(),
                                         &TablaDiashorast(), &TablaAsigt()}) {
            RecrearTabla(htemp, *t);
            dbf::Tabla tabla(htemp / (std::string(t->nombre) + ".DBF"), dbf::Acceso::Exclusivo);
            tabla.Anadir();
            tabla.PonerTexto(t->campos[0].nombre, "VIEJO");
            tabla.Grabar();
        }
    }

    // Records of each table after the export: -1 for a table still holding its stale record.
    std::vector<int> Estado()
    {
        std::vector<int> r;
        for (const char* t : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "DIASHORAST", "ASIGT"}) {
            dbf::Tabla tabla(htemp / (std::string(t) + ".DBF"), dbf::Acceso::Compartido);
            tabla.Primero();
            const auto primero = tabla.Fin() ? "" : tabla.LeerTexto(tabla.Campos()[0].nombre);
            r.push_back(primero == "VIEJO" ? -1 : static_cast<int>(tabla.NumeroRegistros()));
        }
        return r;
    }
};

TEST_F(Fallos, AtributoAusenteEnCadaConversionNoCambiaNingunaTabla)
{
    const std::pair<std::string, std::string> casos[] = {
        {"materias", "codigo"}, {"materias", "idmateria"}, {"profesores", "apellido2"}, {"aulas", "nombre"},
        {"aulas", "idaula"}, {"grupos", "cgrupo"}, {"grupos", "idcurso"}, {"franjashorarias", "hora_final"},
        {"asignaturas", "nhoras"}, {"asignaturas", "conexion"},
    };
    const std::map<std::string, std::string> elementos = {
        {"materias", "dmateria"}, {"profesores", "profesor"}, {"aulas", "daula"}, {"grupos", "dgrupo"},
        {"franjashorarias", "franjahoraria"}, {"asignaturas", "dasignatura"}};
    for (const auto& [seccion, atributo] : casos) {
        SCOPED_TRACE(seccion + "/" + atributo);
        SembrarTablasViejas();
        EscribirFichero(htemp / "ASIGNOMT.MDX", "indice");
        try {
            Exportar(CentroCompleto(seccion, atributo));
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Falta el atributo '" + atributo + "' en el elemento "
                                                 + elementos.at(seccion) + " número 2");
            EXPECT_EQ(e.Detalle(), "No se ha cambiado ninguna tabla de Horalia.");
        }
        EXPECT_EQ(Estado(), (std::vector<int>{-1, -1, -1, -1, -1, -1}));
        EXPECT_TRUE(std::filesystem::exists(htemp / "ASIGNOMT.MDX"));
        // Nothing stays locked or behind: every table opens exclusively again.
        for (const char* t : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "DIASHORAST", "ASIGT"})
            EXPECT_NO_THROW(dbf::Tabla(htemp / (std::string(t) + ".DBF"), dbf::Acceso::Exclusivo)) << t;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(htemp), {}), 7);
    }
}

TEST_F(Fallos, ValoresQueNoSonNumeros)
{
    auto con = [](std::string centro, const std::string& de, const std::string& a) {
        centro.replace(centro.find(de), de.size(), a);
        return centro;
    };
    const std::string horas = " (dasignatura número 2, atributo nhoras)";
    struct Caso { std::string centro; std::string mensaje; } casos[] = {
        {con(CentroCompleto(), "\"20\"", "\"30 alumnos\""),
         "'30 alumnos' no es un valor entero válido para el campo 'MAXALUM'"},
        {con(CentroCompleto(), "\"20\"", "\"20 niños\""),
         "'20 niños' no es un valor entero válido para el campo 'MAXALUM'"},
        {con(CentroCompleto(), "\"3\"", "\"tres½\""), "'tres½' no es un valor punto flotante válido" + horas},
        {con(CentroCompleto(), "\"09:00\"", "\"9:00\""), "'9:' no es un valor entero válido"},
        {con(CentroCompleto(), "\"08:00\"", "\"8:30\""), "'8:' no es un valor entero válido"},
        {con(CentroCompleto(), "\"08:00\"", "\"08\""), "'' no es un valor entero válido"},
        {con(CentroCompleto(), "dia_semana=\"1\"", "dia_semana=\"lunes\""), "'lunes' no es un valor entero válido"},
        {con(CentroCompleto(), "\"3\"", "\"2;5\""), "'2;5' no es un valor punto flotante válido" + horas},
        {con(CentroCompleto(), "\"3\"", "\"1,2.5\""), "'1,2.5' no es un valor punto flotante válido" + horas},
        {con(CentroCompleto(), "\"3\"", "\"1.000,5\""), "'1.000,5' no es un valor punto flotante válido" + horas},
        {con(CentroCompleto(), "\"3\"", "\"\""), "'' no es un valor punto flotante válido" + horas},
        {con(CentroCompleto(), "\"3\"", "\"1e30\""), "'1e30' no es un valor punto flotante válido" + horas},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensaje);
        EscribirFichero(documento, Centro(c.centro));
        try {
            thn::Exportar(documento, htemp, registros, componentes);
            ADD_FAILURE() << "completada";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), c.mensaje);
        }
    }
}

TEST_F(Fallos, TablaBloqueadaPorOtroPrograma)
{
    Exportar(CentroCompleto());
    SembrarTablasViejas();
    {
        dbf::Tabla ocupada(htemp / "GRUPOST.DBF", dbf::Acceso::Exclusivo);
        EXPECT_EQ(Fallo(CentroCompleto()), "La tabla '" + (htemp / "GRUPOST.DBF").string()
                                                + "' está abierta por otro programa");
    }
    EXPECT_EQ(Estado(), (std::vector<int>{-1, -1, -1, -1, -1, -1}));
}

TEST_F(Fallos, DocumentoInvalidoNoTocaLasTablas)
{
    SembrarTablasViejas();
    for (const std::string contenido : {"<centro><materias></centro>", "<otro/>", "no es XML", ""}) {
        SCOPED_TRACE(contenido);
        EscribirFichero(documento, contenido);
        EXPECT_THROW(thn::Exportar(documento, htemp, registros, componentes), Error);
        EXPECT_EQ(Estado(), (std::vector<int>{-1, -1, -1, -1, -1, -1}));
    }
}

TEST_F(Fallos, FaltaElDocumentoOElDirectorio)
{
    EXPECT_EQ(thn::Exportar(dir / "no-existe.xml", htemp, registros, componentes).desenlace,
              Desenlace::FaltaEntrada);
    EXPECT_EQ(thn::Exportar("", htemp, registros, componentes).desenlace, Desenlace::FaltaEntrada);
    EXPECT_TRUE(std::filesystem::is_empty(htemp));

    EscribirFichero(documento, Centro(CentroCompleto()));
    try {
        thn::Exportar(documento, dir / "NOHAY", registros, componentes);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("NOHAY"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "NOHAY"));
}

}  // namespace
}  // namespace thn::prueba
