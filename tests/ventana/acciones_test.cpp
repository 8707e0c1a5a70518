// SPDX-License-Identifier: EUPL-1.2
// Both directions as the window runs them: outcome status, the host's INI
// file, messages, the remembered file and the cursor.

#include "exportar/exportacion.h"
#include "flujo_prueba.h"

#include <map>

namespace thn::prueba {
namespace {

enum class Accion { Ninguna, Exportar, Importar };
enum class Entrada { Completa, SinDocumento, SinSoluc, DocumentoRoto, SolucRota };

constexpr const char* kAviso = "mensaje: Deberá Abrir el fichero XML de NORVICA,\r\n"
                               "desde el cual realizó la Importación a Horalia";
constexpr const char* kError = "error: *";  // any error box
// {dir} and {htemp} stand for the test's folders.
// The line an export adds when it replaced tables.
constexpr const char* kGuardadas = "Las tablas que había se han guardado en "
                                   "'{htemp}/.transhoralianorvica/anteriores/{fecha}'; para volver a ponerlas: "
                                   "transhoralianorvica-cli restaurar (vea «Deshacer una exportación» en la ayuda).";
constexpr const char* kResultado = "mensaje: Proceso finalizado / Resultado guardado en '{dir}/ResultadoHoraliacentro.xml'.";
constexpr const char* kSinSoluc = "mensaje: No existe archivo XML o Solución. / No se encuentra '{htemp}/SOLUC.DBF'.";

struct CasoDesenlace {
    const char* nombre;
    bool incrustado;
    Accion accion;
    Entrada entrada;
    int estado;
    bool cerrada;
    std::vector<std::string> textos;
};

// Test names and failures show the case by its name.
void PrintTo(const CasoDesenlace& c, std::ostream* os) { *os << c.nombre; }

const CasoDesenlace kDesenlaces[] = {
    {"incrustada_sin_accion", true, Accion::Ninguna, Entrada::Completa, 0, false, {}},
    {"incrustada_exporta", true, Accion::Exportar, Entrada::Completa, 1, true,
     {std::string("mensaje: Proceso finalizado / ") + kGuardadas}},
    {"incrustada_exporta_sin_documento", true, Accion::Exportar, Entrada::SinDocumento, -1, true,
     {"mensaje: No existe archivo / No se ha elegido ningún archivo."}},
    {"incrustada_exporta_con_error", true, Accion::Exportar, Entrada::DocumentoRoto, 0, false, {kError}},
    {"incrustada_importa", true, Accion::Importar, Entrada::Completa, 1, true, {kAviso, kResultado}},
    {"incrustada_importa_sin_documento", true, Accion::Importar, Entrada::SinDocumento, -1, true,
     {kAviso, "mensaje: No existe archivo XML o Solución. / No se ha elegido ningún archivo."}},
    {"incrustada_importa_sin_soluc", true, Accion::Importar, Entrada::SinSoluc, -1, true, {kAviso, kSinSoluc}},
    {"incrustada_importa_con_error", true, Accion::Importar, Entrada::SolucRota, 0, false, {kAviso, kError}},
    {"sola_exporta", false, Accion::Exportar, Entrada::Completa, 1, false,
     {std::string("mensaje: Proceso finalizado / ") + kGuardadas}},
    {"sola_exporta_sin_documento", false, Accion::Exportar, Entrada::SinDocumento, 0, false,
     {"mensaje: No existe archivo / No se ha elegido ningún archivo."}},
    {"sola_exporta_con_error", false, Accion::Exportar, Entrada::DocumentoRoto, 0, false, {kError}},
    {"sola_importa", false, Accion::Importar, Entrada::Completa, 1, false, {kAviso, kResultado}},
    {"sola_importa_sin_soluc", false, Accion::Importar, Entrada::SinSoluc, 0, false, {kAviso, kSinSoluc}},
    {"sola_importa_con_error", false, Accion::Importar, Entrada::SolucRota, 0, false, {kAviso, kError}},
};

class Desenlaces : public PruebaFlujo, public ::testing::WithParamInterface<CasoDesenlace> {
protected:
    void Preparar(Entrada entrada)
    {
        if (entrada == Entrada::SinDocumento)
            return;  // the dialog is cancelled with nothing remembered
        const auto documento = Documento();
        interaccion.respuestas = {documento};
        if (entrada == Entrada::DocumentoRoto) {
            EscribirFichero(documento, "<centro><materias>");
            return;
        }
        RegistrosCodigos registros;  // the tables an earlier export left
        ComponentesTabla componentes;
        Exportar(documento, htemp, registros, componentes);
        if (entrada == Entrada::Completa)
            Soluc({});
        if (entrada == Entrada::SolucRota)
            EscribirFichero(htemp / "SOLUC.DBF", "no es una tabla");
    }
};

void EsperarTextos(const std::filesystem::path& dir, const std::vector<std::string>& vistos,
                   const std::vector<std::string>& esperados)
{
    ASSERT_EQ(vistos.size(), esperados.size()) << ::testing::PrintToString(vistos);
    for (std::size_t i = 0; i < vistos.size(); ++i) {
        std::string esperado = esperados[i];
        for (const auto& [marca, ruta] : {std::pair{"{htemp}", dir / "HTEMP"}, std::pair{"{dir}", dir}})
            if (const auto n = esperado.find(marca); n != std::string::npos)
                esperado.replace(n, std::string(marca).size(), ruta.string());
        if (esperado == kError)
            EXPECT_TRUE(vistos[i].starts_with("error: ") && vistos[i].size() > 8) << vistos[i];
        else
            EXPECT_EQ(vistos[i], esperado);
    }
}

TEST_P(Desenlaces, EstadoIniMensajesYCursor)
{
    const CasoDesenlace& c = GetParam();
    auto& v = Abrir(c.incrustado ? std::vector<std::string>{"Exportar", "2A"} : std::vector<std::string>{});
    // Embedded with "Exportar", only the left panel shows; the import runs
    // through its handler all the same.
    Preparar(c.entrada);
    if (c.accion == Accion::Exportar)
        v.BExportarClick();
    if (c.accion == Accion::Importar)
        v.BImportarClick();

    EXPECT_EQ(v.EstadoTransformado(), c.estado);
    EXPECT_EQ(!vista.abierta, c.cerrada);
    EsperarTextos(dir.Ruta(), interaccion.Textos(), c.textos);
    for (const auto& s : interaccion.sucesos)
        EXPECT_FALSE(s.cursor_ocupado) << s.texto;
    EXPECT_FALSE(vista.ocupado);

    const std::string ini_cerrada = "[Transformadores]\r\nTransformado=" + std::to_string(c.estado) + "\r\n";
    EXPECT_EQ(Ini(), c.cerrada ? ini_cerrada : "(ninguno)");
    if (!c.cerrada) {
        Cerrar();
        EXPECT_EQ(Ini(), c.incrustado ? ini_cerrada : "(ninguno)");
    }
}

INSTANTIATE_TEST_SUITE_P(Acciones, Desenlaces, ::testing::ValuesIn(kDesenlaces),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PruebaFlujo, UnErrorConservaElEstadoDeLaAccionAnterior)
{
    // An export completes but the INI cannot be written: the window stays
    // with status 1, and a later failing export leaves it at 1.
    auto& v = Abrir({"exportar", "2A"});
    std::filesystem::create_directory(bin / "Horalia.ini");
    const auto documento = Documento();
    interaccion.respuestas = {documento, documento};
    v.BExportarClick();
    ASSERT_TRUE(vista.abierta);
    EXPECT_EQ(v.EstadoTransformado(), 1);
    EscribirFichero(documento, "no es XML");
    v.BExportarClick();
    EXPECT_EQ(v.EstadoTransformado(), 1);
    EXPECT_TRUE(vista.abierta);
    std::filesystem::remove(bin / "Horalia.ini");
    EXPECT_TRUE(Cerrar());
    EXPECT_EQ(Ini(), "[Transformadores]\r\nTransformado=1\r\n");
    EsperarTextos(dir.Ruta(), interaccion.Textos(), {"mensaje: Proceso finalizado",
                                         "error: Unable to write to " + (bin / "Horalia.ini").string() + ".",
                                         kError});
}

// Modification time of every file of the working directory and beside the document.
std::map<std::string, long long> Huella(const std::filesystem::path& raiz)
{
    std::map<std::string, long long> h;
    for (const auto& carpeta : {raiz, raiz / "HTEMP"})
        for (const auto& e : std::filesystem::directory_iterator(carpeta))
            if (e.is_regular_file())
                h[e.path().string()] = e.last_write_time().time_since_epoch().count();
    return h;
}

struct CasoCancelar {
    const char* nombre;
    bool incrustado;
    Accion accion;
};

void PrintTo(const CasoCancelar& c, std::ostream* os) { *os << c.nombre; }

class Cancelar : public PruebaFlujo, public ::testing::WithParamInterface<CasoCancelar> {};

TEST_P(Cancelar, NoConvierteElDocumentoRecordadoNiTocaNada)
{
    const CasoCancelar& c = GetParam();
    auto& v = Abrir(c.incrustado ? std::vector<std::string>{"exportar", "2A"} : std::vector<std::string>{});
    const auto documento = Documento();
    if (c.accion == Accion::Importar) {
        RegistrosCodigos registros;
        ComponentesTabla componentes;
        Exportar(documento, htemp, registros, componentes);
        Soluc({"MAT"});
    }
    // The first run completes; embedded, an INI that cannot be written keeps the window.
    std::filesystem::create_directory(bin / "Horalia.ini");
    interaccion.respuestas = {documento};
    const auto pulsar = [&] { c.accion == Accion::Exportar ? v.BExportarClick() : v.BImportarClick(); };
    pulsar();
    ASSERT_TRUE(vista.abierta);
    std::filesystem::remove(bin / "Horalia.ini");
    const auto antes = Huella(dir.Ruta());
    interaccion.sucesos.clear();

    pulsar();  // no answer left: the dialog is cancelled
    EXPECT_EQ(Huella(dir.Ruta()), antes);
    EXPECT_EQ(interaccion.dialogos.back().inicial, documento);  // it still opens on the remembered file
    EXPECT_EQ(v.FicheroXML(), documento);
    const std::string falta = c.accion == Accion::Exportar ? "No existe archivo" : "No existe archivo XML o Solución.";
    ASSERT_FALSE(interaccion.Textos().empty());
    EXPECT_EQ(interaccion.Textos().back(), "mensaje: " + falta + " / No se ha elegido ningún archivo.");
    EXPECT_EQ(v.EstadoTransformado(), c.incrustado ? -1 : 1);
    EXPECT_EQ(vista.abierta, !c.incrustado);
    EXPECT_EQ(Ini(), c.incrustado ? "[Transformadores]\r\nTransformado=-1\r\n" : "(ninguno)");
}

const CasoCancelar kCancelar[] = {
    {"sola_exportar", false, Accion::Exportar},
    {"sola_importar", false, Accion::Importar},
    {"incrustada_exportar", true, Accion::Exportar},
    {"incrustada_importar", true, Accion::Importar},
};

INSTANTIATE_TEST_SUITE_P(Acciones, Cancelar, ::testing::ValuesIn(kCancelar),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PruebaFlujo, CajaDeFinalizacionConYSinDatosOmitidos)
{
    auto& v = Abrir({});
    const auto limpio = Documento();
    const auto omite = dir / "omite.xml";
    EscribirFichero(omite, Centro(Seccion("materias", "dmateria", {
        {{"codigo", "MAT"}, {"nombre", "Uno"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "101"}},
        {{"codigo", "MAT"}, {"nombre", "Dos"}, {"codigo_actividad", "LECTIVA"}, {"idmateria", "102"}}})));
    const std::string resultado = "Resultado guardado en '" + (dir / "ResultadoHoraliacentro.xml").string() + "'.";
    std::string guardadas = kGuardadas;
    guardadas.replace(guardadas.find("{htemp}"), 7, htemp.string());
    struct Caso {
        Accion accion;
        std::filesystem::path documento;
        std::vector<std::string> soluc;
        std::string esperado;           // the last box
        std::filesystem::path guardar;  // the report's default name, when there is one
    } casos[] = {
        {Accion::Exportar, limpio, {}, "mensaje: Proceso finalizado", {}},  // nothing replaced, nothing kept
        {Accion::Exportar, omite, {}, "informe: Proceso finalizado / " + guardadas
                                          + "\r\nSe han dejado fuera 1 elemento; vea los detalles.",
         dir / "omite-informe.txt"},
        {Accion::Exportar, limpio, {}, "mensaje: Proceso finalizado / " + guardadas, {}},  // the tables the imports read
        {Accion::Importar, limpio, {"MAT"}, "mensaje: Proceso finalizado / " + resultado, {}},
        {Accion::Importar, limpio, {"MAT", "NOEXISTE", "MAT", "OTRA"},
         "informe: Proceso finalizado / " + resultado + "\r\nSe han dejado fuera 2 elementos; vea los detalles.",
         dir / "centro-informe.txt"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.esperado);
        if (c.accion == Accion::Importar)
            Soluc(c.soluc);
        interaccion.respuestas = {c.documento};
        c.accion == Accion::Exportar ? v.BExportarClick() : v.BImportarClick();
        ASSERT_FALSE(interaccion.sucesos.empty());
        const Suceso& fin = interaccion.sucesos.back();
        EXPECT_EQ(interaccion.Textos().back(), c.esperado);
        EXPECT_EQ(fin.guardar_como, c.guardar);
        EXPECT_EQ(fin.informe.empty(), c.guardar.empty()) << fin.informe;
        if (c.accion == Accion::Importar && !c.guardar.empty()) {
            EXPECT_NE(fin.informe.find("SOLUC registro 2: la materia 'NOEXISTE'"), std::string::npos) << fin.informe;
        }
    }
}

}  // namespace
}  // namespace thn::prueba
