// SPDX-License-Identifier: EUPL-1.2
// Run modes: what the command line makes of the window, and what it reports.

#include "app/plataforma.h"
#include "ventana_prueba.h"

#include <QPushButton>

#include <set>

namespace thn::prueba {
namespace {

struct CasoModo {
    const char* nombre;
    std::vector<std::string> parametros;
    std::vector<std::int32_t> anfitriones;  // what the window asked to be embedded in
    const char* panel_abajo;     // the panel seen at each point of the client area
    const char* panel_izquierda;
    const char* panel_derecha;
    std::string error;           // the error box, "" when none
};

// Test names and failures show the case by its name.
void PrintTo(const CasoModo& c, std::ostream* os) { *os << c.nombre; }

const CasoModo kModos[] = {
    {"sin_parametros", {}, {}, "Draw3D1", "Draw3D2", "Draw3D3", ""},
    {"un_parametro", {"exportar"}, {}, "Draw3D1", "Draw3D2", "Draw3D3", ""},
    {"tres_parametros", {"exportar", "1F", "x"}, {}, "Draw3D1", "Draw3D2", "Draw3D3", ""},
    {"exportar", {"exportar", "1F"}, {0x1F}, "Draw3D2", "Draw3D2", "Draw3D2", ""},
    {"EXPORTAR", {"EXPORTAR", "1f"}, {0x1F}, "Draw3D2", "Draw3D2", "Draw3D2", ""},
    {"Exportar", {"Exportar", "a0b1c2"}, {0xA0B1C2}, "Draw3D2", "Draw3D2", "Draw3D2", ""},
    {"importar", {"importar", "7"}, {7}, "Draw3D3", "Draw3D3", "Draw3D3", ""},
    {"IMPORTAR_32_bits", {"IMPORTAR", "FFFFFFFF"}, {-1}, "Draw3D3", "Draw3D3", "Draw3D3", ""},
    {"otra_palabra", {"transformar", "10"}, {0x10}, "Draw3D1", "Draw3D2", "Draw3D3", ""},
    {"exportar_con_blanco", {"exportar ", "10"}, {0x10}, "Draw3D1", "Draw3D2", "Draw3D3", ""},
    {"handle_vacio", {"exportar", ""}, {}, "Draw3D1", "Draw3D2", "Draw3D3", "'$' no es un valor entero válido."},
    {"handle_con_blanco", {"exportar", "12 "}, {}, "Draw3D1", "Draw3D2", "Draw3D3",
     "'$12 ' no es un valor entero válido."},
    {"handle_con_signo", {"exportar", "-1"}, {}, "Draw3D1", "Draw3D2", "Draw3D3",
     "'$-1' no es un valor entero válido."},
    {"handle_con_prefijo", {"importar", "0x1F"}, {}, "Draw3D1", "Draw3D2", "Draw3D3",
     "'$0x1F' no es un valor entero válido."},
    {"handle_no_hexadecimal", {"importar", "G1"}, {}, "Draw3D1", "Draw3D2", "Draw3D3",
     "'$G1' no es un valor entero válido."},
};

class Modos : public PruebaVentana, public ::testing::WithParamInterface<CasoModo> {
protected:
    // The top panel that paints the given point of the client area.
    std::string PanelEn(int x, int y)
    {
        for (QWidget* w = ventana->childAt(x, y); w; w = w->parentWidget())
            if (w->parentWidget() == ventana.get())
                return w->objectName().toStdString();
        return "(ninguno)";
    }
};

TEST_P(Modos, DecidenVentanaPanelesEInforme)
{
    const CasoModo& c = GetParam();
    auto& v = Abrir(c.parametros);
    const bool incrustado = !c.anfitriones.empty();

    EXPECT_EQ(incrustador.anfitriones, c.anfitriones);
    EXPECT_EQ(v.NumParametros(), incrustado ? 2 : 0);
    EXPECT_EQ(v.EstadoTransformado(), 0);
    EXPECT_EQ(v.windowFlags().testFlag(Qt::FramelessWindowHint), incrustado);
    EXPECT_EQ(v.pos(), incrustado ? QPoint(0, 0) : QPoint(194, 167));
    EXPECT_EQ(v.size(), QSize(632, 266));
    EXPECT_EQ(PanelEn(20, 250), c.panel_abajo);
    EXPECT_EQ(PanelEn(20, 50), c.panel_izquierda);
    EXPECT_EQ(PanelEn(600, 50), c.panel_derecha);
    if (c.error.empty())
        EXPECT_TRUE(interaccion.sucesos.empty());
    else
        EXPECT_EQ(interaccion.Textos(), std::vector<std::string>{"error: " + c.error});

    // Closed without an action: only embedded mode tells the host, with 0.
    EXPECT_TRUE(v.close());
    EXPECT_EQ(Ini(), incrustado ? "[Transformadores]\r\nTransformado=0\r\n" : "(ninguno)");
}

INSTANTIATE_TEST_SUITE_P(LineaDeOrdenes, Modos, ::testing::ValuesIn(kModos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PruebaVentana, UnaVentanaQueNoSePuedeIncrustarSeAbreSola)
{
    incrustador.falla = true;
    auto& v = Abrir({"exportar", "1F"});
    EXPECT_EQ(interaccion.Textos(),
              std::vector<std::string>{"error: No se puede incrustar la ventana en la ventana 1F de Horalia."});
    EXPECT_EQ(v.NumParametros(), 0);
    EXPECT_FALSE(v.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(Hijo("Draw3D3")->isHidden());
    v.close();
    EXPECT_EQ(Ini(), "(ninguno)");
}

TEST_F(PruebaVentana, TrasUnHandleErroneoLaExportacionTieneSusRegistros)
{
    auto& v = Abrir({"exportar", "G1"});
    const auto documento = Documento();
    interaccion.respuestas = {documento, documento};
    Pulsar("BExportar");
    Pulsar("BExportar");  // the same document again, the registries reused
    EXPECT_EQ(v.EstadoTransformado(), 1);
    EXPECT_EQ(interaccion.Textos(), (std::vector<std::string>{"error: '$G1' no es un valor entero válido.",
                                                              "mensaje: Proceso finalizado",
                                                              "mensaje: Proceso finalizado"}));
    EXPECT_EQ(Filas(htemp / "ASIGNOMT.DBF", {"COD"}), (std::vector<std::vector<std::string>>{{"MAT"}}));
}

TEST_F(PruebaVentana, UnIniQueNoSePuedeEscribirDejaLaVentanaAbierta)
{
    auto& v = Abrir({"exportar", "1F"});
    std::filesystem::create_directory(bin / "Horalia.ini");  // where the file should be
    EXPECT_FALSE(v.close());
    EXPECT_TRUE(v.isVisible());
    EXPECT_EQ(interaccion.Textos(),
              std::vector<std::string>{"error: Unable to write to " + (bin / "Horalia.ini").string() + "."});
    std::filesystem::remove(bin / "Horalia.ini");
    EXPECT_TRUE(v.close());
    EXPECT_EQ(Ini(), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(PruebaVentana, SalirCierraYElIniConservaElRestoDelFichero)
{
    EscribirFichero(bin / "HORALIA.INI", "; Horalia\r\n[General]\r\nDir = C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\n"
                                         "transformado = 1 \r\n");
    auto& v = Abrir({"importar", "1F"});
    Pulsar("BClose");
    EXPECT_FALSE(v.isVisible());
    // The spelling Horalia left on disk is the file it reads back.
    EXPECT_FALSE(std::filesystem::exists(bin / "Horalia.ini"));
    EXPECT_EQ(LeerFichero(bin / "HORALIA.INI"), "; Horalia\r\n[General]\r\nDir = C:\\HTEMP\r\n\r\n"
                                                "[TRANSFORMADORES]\r\ntransformado = 0 \r\n");
}

// Started by the Wine launcher: the window at the host's offset, the INI in
// the folder it names (in the spelling found there), and alone nothing written.
TEST_F(PruebaVentana, ElLanzadorDeWineColocaLaVentanaYElIni)
{
    struct Caso {
        std::vector<std::string> parametros;
        app::AnfitrionWine wine;
        QPoint posicion;
        const char* ini;  // relative to the test's directory, "" when none is written
    };
    const std::filesystem::path horalia = dir / "horalia";
    std::filesystem::create_directories(horalia / "otra");
    EscribirFichero(horalia / "otra" / "HORALIA.INI", "[Transformadores]\r\nTransformado=1\r\n");
    const Caso casos[] = {
        {{"exportar", "1F"}, {{40, 30}, horalia}, {40, 30}, "horalia/Horalia.ini"},
        {{"importar", "1F"}, {{-3, 7}, horalia / "otra"}, {-3, 7}, "horalia/otra/HORALIA.INI"},
        {{"exportar", "1F"}, {}, {0, 0}, "bin/Horalia.ini"},
        {{}, {{40, 30}, horalia}, {194, 167}, ""},
    };
    for (const auto& c : casos) {
        auto& v = Abrir(c.parametros, c.wine);
        EXPECT_EQ(v.pos(), c.posicion);
        EXPECT_TRUE(v.close());
        std::set<std::string> escritos, esperados{"horalia/otra/HORALIA.INI"};
        if (*c.ini)
            esperados.insert(c.ini);
        for (const auto& f : std::filesystem::recursive_directory_iterator(dir.Ruta()))
            if (f.path().filename() == "Horalia.ini" || f.path().filename() == "HORALIA.INI")
                escritos.insert(std::filesystem::relative(f.path(), dir.Ruta()).string());
        EXPECT_EQ(escritos, esperados) << testing::PrintToString(c.parametros);
        std::filesystem::remove(horalia / "Horalia.ini");
        std::filesystem::remove(bin / "Horalia.ini");
    }
    EXPECT_EQ(LeerFichero(horalia / "otra" / "HORALIA.INI"), "[Transformadores]\r\nTransformado=0\r\n");
}

struct CasoXcb {
    bool incrustado;
    app::EntornoGrafico entorno;
    bool xcb;
};

TEST(Plataforma, SoloLaVentanaIncrustadaEnWaylandPasaAXcb)
{
    const CasoXcb casos[] = {
        {true, {"", "wayland-0", ""}, true},
        {true, {"", "", "wayland"}, true},
        {true, {"wayland", "wayland-0", "wayland"}, true},
        {true, {"wayland-egl", "", ""}, true},
        {true, {"", "", "x11"}, false},
        {true, {"offscreen", "wayland-0", ""}, false},
        {true, {"xcb", "wayland-0", ""}, false},
        {false, {"", "wayland-0", "wayland"}, false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(app::DebeForzarXcb(c.incrustado, c.entorno), c.xcb)
            << c.entorno.qt_qpa_platform << "|" << c.entorno.wayland_display << "|" << c.entorno.xdg_session_type;
}

}  // namespace
}  // namespace thn::prueba
