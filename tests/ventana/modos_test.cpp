// SPDX-License-Identifier: EUPL-1.2
// Run modes: what the command line makes of the window, and what it reports.

#include "flujo_prueba.h"

#include <set>

namespace thn::prueba {
namespace {

struct CasoModo {
    const char* nombre;
    std::vector<std::string> parametros;
    std::vector<std::int32_t> anfitriones;  // what the window asked to be embedded in
    ventana::Panel panel;        // the only panel shown, or both
    std::string error;           // the error box, "" when none
};

// Test names and failures show the case by its name.
void PrintTo(const CasoModo& c, std::ostream* os) { *os << c.nombre; }

const CasoModo kModos[] = {
    {"sin_parametros", {}, {}, ventana::Panel::Ambos, ""},
    {"un_parametro", {"exportar"}, {}, ventana::Panel::Ambos, ""},
    {"tres_parametros", {"exportar", "1F", "x"}, {}, ventana::Panel::Ambos, ""},
    {"exportar", {"exportar", "1F"}, {0x1F}, ventana::Panel::Exportar, ""},
    {"EXPORTAR", {"EXPORTAR", "1f"}, {0x1F}, ventana::Panel::Exportar, ""},
    {"Exportar", {"Exportar", "a0b1c2"}, {0xA0B1C2}, ventana::Panel::Exportar, ""},
    {"importar", {"importar", "7"}, {7}, ventana::Panel::Importar, ""},
    {"IMPORTAR_32_bits", {"IMPORTAR", "FFFFFFFF"}, {-1}, ventana::Panel::Importar, ""},
    {"otra_palabra", {"transformar", "10"}, {0x10}, ventana::Panel::Ambos, ""},
    {"exportar_con_blanco", {"exportar ", "10"}, {0x10}, ventana::Panel::Ambos, ""},
    {"handle_vacio", {"exportar", ""}, {}, ventana::Panel::Ambos, "'$' no es un valor entero válido."},
    {"handle_con_blanco", {"exportar", "12 "}, {}, ventana::Panel::Ambos,
     "'$12 ' no es un valor entero válido."},
    {"handle_con_signo", {"exportar", "-1"}, {}, ventana::Panel::Ambos,
     "'$-1' no es un valor entero válido."},
    {"handle_con_prefijo", {"importar", "0x1F"}, {}, ventana::Panel::Ambos,
     "'$0x1F' no es un valor entero válido."},
    {"handle_no_hexadecimal", {"importar", "G1"}, {}, ventana::Panel::Ambos,
     "'$G1' no es un valor entero válido."},
};

class Modos : public PruebaFlujo, public ::testing::WithParamInterface<CasoModo> {};

TEST_P(Modos, DecidenVentanaPanelesEInforme)
{
    const CasoModo& c = GetParam();
    auto& v = Abrir(c.parametros);
    const bool incrustado = !c.anfitriones.empty();

    EXPECT_EQ(vista.anfitriones, c.anfitriones);
    EXPECT_EQ(vista.origen.x, incrustado ? 0 : -1);  // embedded at the host's client origin
    EXPECT_EQ(vista.origen.y, incrustado ? 0 : -1);
    EXPECT_EQ(v.NumParametros(), incrustado ? 2 : 0);
    EXPECT_EQ(v.EstadoTransformado(), 0);
    EXPECT_EQ(vista.panel, c.panel);
    if (c.error.empty())
        EXPECT_TRUE(interaccion.sucesos.empty());
    else
        EXPECT_EQ(interaccion.Textos(), std::vector<std::string>{"error: " + c.error});

    // Closed without an action: only embedded mode tells the host, with 0.
    EXPECT_TRUE(Cerrar());
    EXPECT_EQ(Ini(), incrustado ? "[Transformadores]\r\nTransformado=0\r\n" : "(ninguno)");
}

INSTANTIATE_TEST_SUITE_P(LineaDeOrdenes, Modos, ::testing::ValuesIn(kModos),
                         [](const auto& info) { return std::string(info.param.nombre); });

TEST_F(PruebaFlujo, UnaVentanaQueNoSePuedeIncrustarSeAbreSola)
{
    vista.falla = true;
    auto& v = Abrir({"exportar", "1F"});
    EXPECT_EQ(interaccion.Textos(),
              std::vector<std::string>{"error: No se puede incrustar la ventana en la ventana 1F de Horalia."});
    EXPECT_EQ(v.NumParametros(), 0);
    EXPECT_EQ(vista.panel, ventana::Panel::Ambos);
    Cerrar();
    EXPECT_EQ(Ini(), "(ninguno)");
}

TEST_F(PruebaFlujo, TrasUnHandleErroneoLaExportacionTieneSusRegistros)
{
    auto& v = Abrir({"exportar", "G1"});
    const auto documento = Documento();
    interaccion.respuestas = {documento, documento};
    v.BExportarClick();
    v.BExportarClick();  // the same document again, the registries reused
    EXPECT_EQ(v.EstadoTransformado(), 1);
    ASSERT_EQ(interaccion.Textos().size(), 3u);
    EXPECT_EQ(interaccion.Textos()[0], "error: '$G1' no es un valor entero válido.");
    EXPECT_EQ(interaccion.Textos()[1], "mensaje: Proceso finalizado");  // into an empty directory: nothing kept
    EXPECT_TRUE(interaccion.Textos()[2].starts_with("mensaje: Proceso finalizado / Las tablas que había"));
    EXPECT_EQ(Filas(htemp / "ASIGNOMT.DBF", {"COD"}), (std::vector<std::vector<std::string>>{{"MAT"}}));
}

TEST_F(PruebaFlujo, UnIniQueNoSePuedeEscribirDejaLaVentanaAbierta)
{
    Abrir({"exportar", "1F"});
    std::filesystem::create_directory(bin / "Horalia.ini");  // where the file should be
    EXPECT_FALSE(Cerrar());
    EXPECT_EQ(interaccion.Textos(),
              std::vector<std::string>{"error: Unable to write to " + (bin / "Horalia.ini").string() + "."});
    std::filesystem::remove(bin / "Horalia.ini");
    EXPECT_TRUE(Cerrar());
    EXPECT_EQ(Ini(), "[Transformadores]\r\nTransformado=0\r\n");
}

TEST_F(PruebaFlujo, SalirCierraYElIniConservaElRestoDelFichero)
{
    EscribirFichero(bin / "HORALIA.INI", "; Horalia\r\n[General]\r\nDir = C:\\HTEMP\r\n\r\n[TRANSFORMADORES]\r\n"
                                         "transformado = 1 \r\n");
    Abrir({"importar", "1F"});
    EXPECT_TRUE(Cerrar());
    // The spelling Horalia left on disk is the file it reads back.
    EXPECT_FALSE(std::filesystem::exists(bin / "Horalia.ini"));
    EXPECT_EQ(LeerFichero(bin / "HORALIA.INI"), "; Horalia\r\n[General]\r\nDir = C:\\HTEMP\r\n\r\n"
                                                "[TRANSFORMADORES]\r\ntransformado = 0 \r\n");
}

// Started by the Wine launcher: the window at the host's offset, the INI in
// the folder it names (in the spelling found there), and alone nothing written.
TEST_F(PruebaFlujo, ElLanzadorDeWineColocaLaVentanaYElIni)
{
    struct Caso {
        std::vector<std::string> parametros;
        ventana::AnfitrionWine wine;
        lanzador::Desplazamiento posicion;
        const char* ini;  // relative to the test's directory, "" when none is written
    };
    const std::filesystem::path horalia = dir / "horalia";
    std::filesystem::create_directories(horalia / "otra");
    EscribirFichero(horalia / "otra" / "HORALIA.INI", "[Transformadores]\r\nTransformado=1\r\n");
    const Caso casos[] = {
        {{"exportar", "1F"}, {{40, 30}, horalia}, {40, 30}, "horalia/Horalia.ini"},
        {{"importar", "1F"}, {{-3, 7}, horalia / "otra"}, {-3, 7}, "horalia/otra/HORALIA.INI"},
        {{"exportar", "1F"}, {}, {0, 0}, "bin/Horalia.ini"},
        {{}, {{40, 30}, horalia}, {-1, -1}, ""},  // alone: not embedded anywhere
    };
    for (const auto& c : casos) {
        Abrir(c.parametros, c.wine);
        EXPECT_EQ(vista.origen.x, c.posicion.x);
        EXPECT_EQ(vista.origen.y, c.posicion.y);
        EXPECT_TRUE(Cerrar());
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

}  // namespace
}  // namespace thn::prueba
