// SPDX-License-Identifier: EUPL-1.2
// Both directions as the window runs them: outcome status, the host's INI
// file, messages, the remembered file and the cursor.

#include "exportar/exportacion.h"
#include "ventana_prueba.h"

namespace thn::prueba {
namespace {

enum class Accion { Ninguna, Exportar, Importar };
enum class Entrada { Completa, SinDocumento, SinSoluc, DocumentoRoto, SolucRota };

constexpr const char* kAviso = "mensaje: Deberá Abrir el fichero XML de NORVICA,\r\n"
                               "desde el cual realizó la Importación a Horalia";
constexpr const char* kError = "error: *";  // any error box

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
    {"incrustada_exporta", true, Accion::Exportar, Entrada::Completa, 1, true, {"mensaje: Proceso finalizado"}},
    {"incrustada_exporta_sin_documento", true, Accion::Exportar, Entrada::SinDocumento, -1, true,
     {"mensaje: No existe archivo"}},
    {"incrustada_exporta_con_error", true, Accion::Exportar, Entrada::DocumentoRoto, 0, false, {kError}},
    {"incrustada_importa", true, Accion::Importar, Entrada::Completa, 1, true,
     {kAviso, "mensaje: Proceso finalizado"}},
    {"incrustada_importa_sin_documento", true, Accion::Importar, Entrada::SinDocumento, -1, true,
     {kAviso, "mensaje: No existe archivo XML o Solución."}},
    {"incrustada_importa_sin_soluc", true, Accion::Importar, Entrada::SinSoluc, -1, true,
     {kAviso, "mensaje: No existe archivo XML o Solución."}},
    {"incrustada_importa_con_error", true, Accion::Importar, Entrada::SolucRota, 0, false, {kAviso, kError}},
    {"sola_exporta", false, Accion::Exportar, Entrada::Completa, 1, false, {"mensaje: Proceso finalizado"}},
    {"sola_exporta_sin_documento", false, Accion::Exportar, Entrada::SinDocumento, 0, false,
     {"mensaje: No existe archivo"}},
    {"sola_exporta_con_error", false, Accion::Exportar, Entrada::DocumentoRoto, 0, false, {kError}},
    {"sola_importa", false, Accion::Importar, Entrada::Completa, 1, false, {kAviso, "mensaje: Proceso finalizado"}},
    {"sola_importa_sin_soluc", false, Accion::Importar, Entrada::SinSoluc, 0, false,
     {kAviso, "mensaje: No existe archivo XML o Solución."}},
    {"sola_importa_con_error", false, Accion::Importar, Entrada::SolucRota, 0, false, {kAviso, kError}},
};

class Desenlaces : public PruebaVentana, public ::testing::WithParamInterface<CasoDesenlace> {
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
        Exportar(documento, htemp, registros, componentes, ',');
        if (entrada == Entrada::Completa)
            Soluc({});
        if (entrada == Entrada::SolucRota)
            EscribirFichero(htemp / "SOLUC.DBF", "no es una tabla");
    }
};

void EsperarTextos(const std::vector<std::string>& vistos, const std::vector<std::string>& esperados)
{
    ASSERT_EQ(vistos.size(), esperados.size()) << ::testing::PrintToString(vistos);
    for (std::size_t i = 0; i < vistos.size(); ++i) {
        if (esperados[i] == kError)
            EXPECT_TRUE(vistos[i].starts_with("error: ") && vistos[i].size() > 8) << vistos[i];
        else
            EXPECT_EQ(vistos[i], esperados[i]);
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
    EXPECT_EQ(!v.isVisible(), c.cerrada);
    EsperarTextos(interaccion.Textos(), c.textos);
    for (const auto& s : interaccion.sucesos)
        EXPECT_FALSE(s.cursor_ocupado) << s.texto;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const std::string ini_cerrada = "[Transformadores]\r\nTransformado=" + std::to_string(c.estado) + "\r\n";
    EXPECT_EQ(Ini(), c.cerrada ? ini_cerrada : "(ninguno)");
    if (!c.cerrada) {
        v.close();
        EXPECT_EQ(Ini(), c.incrustado ? ini_cerrada : "(ninguno)");
    }
}

INSTANTIATE_TEST_SUITE_P(Acciones, Desenlaces, ::testing::ValuesIn(kDesenlaces),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PruebaVentana, UnErrorConservaElEstadoDeLaAccionAnterior)
{
    // An export completes but the INI cannot be written: the window stays
    // with status 1, and a later failing export leaves it at 1.
    auto& v = Abrir({"exportar", "2A"});
    std::filesystem::create_directory(bin / "Horalia.ini");
    const auto documento = Documento();
    interaccion.respuestas = {documento, std::nullopt};
    v.BExportarClick();
    ASSERT_TRUE(v.isVisible());
    EXPECT_EQ(v.EstadoTransformado(), 1);
    EscribirFichero(documento, "no es XML");
    v.BExportarClick();  // the dialog is cancelled: the remembered file is converted
    EXPECT_EQ(v.EstadoTransformado(), 1);
    EXPECT_TRUE(v.isVisible());
    std::filesystem::remove(bin / "Horalia.ini");
    EXPECT_TRUE(v.close());
    EXPECT_EQ(Ini(), "[Transformadores]\r\nTransformado=1\r\n");
    EsperarTextos(interaccion.Textos(), {"mensaje: Proceso finalizado",
                                         "error: Unable to write to " + (bin / "Horalia.ini").string() + ".",
                                         kError});
}

TEST_F(PruebaVentana, ElFicheroElegidoSirveAAmbasDirecciones)
{
    auto& v = Abrir({});
    const auto a = Documento("a.xml");
    const auto b = Documento("b.xml");
    Soluc({});
    // Export a, import with the dialog cancelled, export b, import cancelled.
    interaccion.respuestas = {a, std::nullopt, b, std::nullopt};
    v.BExportarClick();
    v.BImportarClick();
    EXPECT_TRUE(std::filesystem::exists(dir / "ResultadoHoraliaa.xml"));
    v.BExportarClick();
    v.BImportarClick();
    EXPECT_TRUE(std::filesystem::exists(dir / "ResultadoHoraliab.xml"));
    EXPECT_EQ(v.FicheroXML(), b);

    ASSERT_EQ(interaccion.dialogos.size(), 4u);
    const std::filesystem::path iniciales[] = {"", a, a, b};
    for (std::size_t i = 0; i < 4; ++i) {
        const auto& d = interaccion.dialogos[i];
        EXPECT_EQ(d.inicial, iniciales[i]) << i;
        EXPECT_EQ(d.titulo, "Archivo XML");
        EXPECT_EQ(d.filtro, "*.xml");
        EXPECT_EQ(d.extension, "xml");
    }
}

TEST_F(PruebaVentana, LosDatosOmitidosVanEnLosDetalles)
{
    auto& v = Abrir({});
    const auto documento = Documento();
    RegistrosCodigos registros;
    ComponentesTabla componentes;
    Exportar(documento, htemp, registros, componentes, ',');
    Soluc({"MAT", "NOEXISTE"});  // the second subject code is in no table
    interaccion.respuestas = {documento};
    v.BImportarClick();
    ASSERT_EQ(interaccion.sucesos.size(), 2u);
    const Suceso& fin = interaccion.sucesos[1];
    EXPECT_EQ(fin.tipo, "detalles");
    EXPECT_EQ(fin.texto, "Proceso finalizado");
    EXPECT_NE(fin.detalles.find("NOEXISTE"), std::string::npos) << fin.detalles;
}

}  // namespace
}  // namespace thn::prueba
