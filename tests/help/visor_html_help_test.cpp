// SPDX-License-Identifier: EUPL-1.2
// The HTML help viewer through the help manager, as the window drives it,
// against a recording stand-in of the HTML Help plugin.

#include "grabador/llamada_grabada.h"
#include "help/gestor_ayuda.h"
#include "help/sistema_ayuda_gestor.h"
#include "help/visor_html_help.h"
#include "help/visor_winhelp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace thn::ayuda {
namespace {

using prueba::Grabacion;
using prueba::LlamadaGrabada;

constexpr std::intptr_t kVentana = 0x5150;
constexpr const char* kPrograma = "/opt/thn/transhoralianorvica";

LlamadaGrabada Llamada(std::string fichero, unsigned int orden, std::uintptr_t datos = 0, std::string palabra = {})
{
    return {kVentana, std::move(fichero), orden, datos, std::move(palabra)};
}

const LlamadaGrabada kCerrarTodo{0, std::nullopt, HH_CLOSE_ALL, 0, {}};

// The framework as the program sets it up: the WinHelp viewer first, then
// the HTML viewer with its selector and tester, loading `biblioteca`.
class AyudaConGrabador : public ::testing::Test {
protected:
    void SetUp() override { Iniciar(THN_GRABADOR); }

    void Iniciar(const char* biblioteca)
    {
        grabacion_ = static_cast<Grabacion*>(reinterpret_cast<void* (*)()>(
            grabador_.Simbolo(prueba::kSimboloGrabacion))());
        grabacion_->clear();
        aplicacion_->programa = kPrograma;
        aplicacion_->ventana = [] { return kVentana; };
        gestor_ = std::make_shared<GestorAyuda>(aplicacion_);
        gestor_->RegisterViewer(std::make_shared<VisorWinHelp>());
        IniciarVexHtmlHelp(*gestor_, aplicacion_, biblioteca);
        sistema_ = std::make_unique<SistemaAyudaGestor>(aplicacion_, gestor_);
        sistema_->PonerFicheroAyuda("NORVICA.chm");
    }

    void TearDown() override
    {
        TerminarVexHtmlHelp();
        gestor_->Descargar();
        EXPECT_EQ(HelpViewerInstance, nullptr) << "the viewer outlived the manager";
    }

    Grabacion& Llamadas() { return *grabacion_; }

    Biblioteca grabador_{THN_GRABADOR};  // the test's own reference, to read the recording
    Grabacion* grabacion_ = nullptr;
    std::shared_ptr<AplicacionAyuda> aplicacion_ = std::make_shared<AplicacionAyuda>();
    std::shared_ptr<GestorAyuda> gestor_;
    std::unique_ptr<SistemaAyudaGestor> sistema_;
};

// F1 and the help button on help files with and without a directory.
TEST_F(AyudaConGrabador, F1YBotonDeAyudaSobreElFicheroResuelto)
{
    struct Caso {
        const char* fichero;
        std::optional<std::string> resuelto;  // none: nothing may be sent
    };
    const Caso casos[] = {
        {"NORVICA.chm", "/opt/thn/NORVICA.chm"},
        {"/srv/ayuda/NORVICA.chm", "/srv/ayuda/NORVICA.chm"},
        {"ayuda/NORVICA.chm", "ayuda/NORVICA.chm"},
        {"HELP.CHM", "/opt/thn/HELP.CHM"},
        {"LEEME", std::nullopt},
        {"ayuda.chm/LEEME", std::nullopt},
        {"notas.hlp", std::nullopt},
        {"NORVICA.chm.bak", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.fichero);
        Llamadas().clear();
        sistema_->PonerFicheroAyuda(c.fichero);
        sistema_->AyudaContexto(3);
        sistema_->ComandoAyuda(kHelpContents, 0);
        if (c.resuelto)
            EXPECT_EQ(Llamadas(), (Grabacion{Llamada(*c.resuelto, HH_HELP_CONTEXT, 3), Llamada(*c.resuelto, HH_DISPLAY_TOC)}));
        else
            EXPECT_EQ(Llamadas(), Grabacion{});
    }
}

// A bare name is looked for beside the program, then in the installed help
// directory relative to it; where neither has it, beside the program.
TEST_F(AyudaConGrabador, ElFicheroSinDirectorioSeBuscaJuntoAlProgramaYDondeSeInstala)
{
    namespace fs = std::filesystem;
    const fs::path raiz = fs::temp_directory_path() / ("thn-ubicacion-" + std::to_string(::getpid()));
    const fs::path junto = raiz / "bin" / "NORVICA.chm";
    const fs::path instalada = raiz / "share" / "thn" / "NORVICA.chm";
    fs::create_directories(junto.parent_path());
    fs::create_directories(instalada.parent_path());
    aplicacion_->programa = raiz / "bin" / "transhoralianorvica";
    aplicacion_->ayuda_instalada = "../share/thn";
    struct Caso {
        std::vector<fs::path> existen;
        fs::path resuelto;
    };
    const Caso casos[] = {{{}, junto}, {{instalada}, instalada}, {{instalada, junto}, junto}};
    for (const auto& c : casos) {
        for (const auto& f : c.existen)
            std::ofstream{f};
        Llamadas().clear();
        EXPECT_FALSE(sistema_->AyudaContexto(3)) << "the stand-in shows no window";
        EXPECT_EQ(Llamadas(), Grabacion{Llamada(c.resuelto.string(), HH_HELP_CONTEXT, 3)}) << c.resuelto;
    }
    fs::remove_all(raiz);
}

TEST_F(AyudaConGrabador, ElFicheroPropioDeLaVentanaActivaManda)
{
    aplicacion_->fichero_ventana = [] { return std::string("/datos/otra.chm"); };
    sistema_->AyudaContexto(3);
    aplicacion_->fichero_ventana = [] { return std::string(); };
    sistema_->AyudaContexto(3);
    EXPECT_EQ(Llamadas(), (Grabacion{Llamada("/datos/otra.chm", HH_HELP_CONTEXT, 3),
                                     Llamada("/opt/thn/NORVICA.chm", HH_HELP_CONTEXT, 3)}));
}

TEST_F(AyudaConGrabador, LaAyudaDeContextoTrataElNumeroComoTreintaYDosBits)
{
    sistema_->AyudaContexto(-1);
    sistema_->ComandoAyuda(kHelpContext, 7);
    EXPECT_EQ(Llamadas(), (Grabacion{Llamada("/opt/thn/NORVICA.chm", HH_HELP_CONTEXT, 0xFFFFFFFFu),
                                     Llamada("/opt/thn/NORVICA.chm", HH_HELP_CONTEXT, 7)}));
}

// The index at a keyword: from the selector's whole line or the bare keyword.
TEST_F(AyudaConGrabador, ElIndiceRecibeLaPalabraSinNombreDeVisorNiBlancos)
{
    const std::pair<std::string, std::string> casos[] = {
        {"VexHtmlHelp: Alumnos ", "Alumnos"},
        {"Alumnos", "Alumnos"},
        {"VexHtmlHelp:\t Alumnos\r\n", "Alumnos"},
        {"Otro: VexHtmlHelp: x", "VexHtmlHelp: x"},
        {"VexHtmlHelp:", ""},
    };
    for (const auto& [cadena, palabra] : casos) {
        SCOPED_TRACE(cadena);
        Llamadas().clear();
        HelpViewerInstance->ShowHelp(cadena);
        ASSERT_EQ(Llamadas().size(), 1u);
        EXPECT_EQ(Llamadas()[0].orden, HH_DISPLAY_INDEX);
        EXPECT_EQ(Llamadas()[0].fichero, "/opt/thn/NORVICA.chm");
        EXPECT_EQ(Llamadas()[0].palabra, palabra);
    }
}

TEST_F(AyudaConGrabador, LasPeticionesDePalabraLleganSoloAlVisorHtml)
{
    static const char kPalabra[] = "Alumnos";
    sistema_->AyudaPalabraClave("Alumnos");
    sistema_->ComandoAyuda(kHelpKey, reinterpret_cast<std::intptr_t>(kPalabra));
    sistema_->ComandoAyuda(kHelpKey, 0);
    ASSERT_EQ(Llamadas().size(), 2u);
    for (const auto& l : Llamadas()) {
        EXPECT_EQ(l.orden, HH_DISPLAY_INDEX);
        EXPECT_EQ(l.palabra, "Alumnos");
        EXPECT_EQ(l.ventana, kVentana);
    }
}

TEST_F(AyudaConGrabador, ElSelectorEligeLaLineaDelVisorHtml)
{
    const std::pair<ListaTextos, std::int32_t> casos[] = {
        {{"OtherViewer: x", "VexHtmlHelp: x"}, 1},
        {{"VexHtmlHelp: x", "OtherViewer: x"}, 0},
        {{"OtherViewer: x", "WinHelp: x"}, 0},
        {{"OtherViewer: x", "vexhtmlhelp: x"}, 0},
        {{"A: x", "VexHtmlHelp x", "VexHtmlHelp"}, 2},
        {{}, 0},
    };
    for (const auto& [lineas, indice] : casos)
        EXPECT_EQ(HelpViewerInstance->SelectKeyword(lineas), indice) << ::testing::PrintToString(lineas);
}

TEST_F(AyudaConGrabador, ElSelectorEligeElVisorHtmlParaElContenido)
{
    const std::pair<ListaTextos, std::int32_t> casos[] = {
        {{"WinHelp", "vexhtmlhelp"}, 1},
        {{"VEXHTMLHELP", "WinHelp"}, 0},
        {{"WinHelp", "Otro"}, -1},
        {{}, -1},
    };
    for (const auto& [nombres, indice] : casos)
        EXPECT_EQ(HelpViewerInstance->TableOfContents(nombres), indice) << ::testing::PrintToString(nombres);
}

TEST_F(AyudaConGrabador, ElContextoSeJuzgaPorElFicheroQueDaElGestor)
{
    EXPECT_FALSE(HelpViewerInstance->UnderstandsContext(3, "ayuda.hlp"));
    EXPECT_TRUE(HelpViewerInstance->UnderstandsContext(3, "AYUDA.CHM"));
    sistema_->PonerFicheroAyuda("ayuda.hlp");
    EXPECT_FALSE(gestor_->ShowContextHelp(3, "ayuda.hlp"));
    EXPECT_EQ(Llamadas(), Grabacion{});
}

TEST_F(AyudaConGrabador, LaDireccionDelTemaLlevaExtensionHtml)
{
    const std::pair<std::string, std::string> casos[] = {
        {"intro", "/opt/thn/NORVICA.chm::/intro.htm"},
        {"index.HTML", "/opt/thn/NORVICA.chm::/index.HTML"},
        {"pagina.htm", "/opt/thn/NORVICA.chm::/pagina.htm"},
        {"notes.txt", "/opt/thn/NORVICA.chm::/notes.txt.htm"},
        {"capitulo.2/intro", "/opt/thn/NORVICA.chm::/capitulo.2/intro.htm"},
    };
    for (const auto& [tema, direccion] : casos) {
        Llamadas().clear();
        sistema_->AyudaTema(tema);
        EXPECT_EQ(Llamadas(), Grabacion{Llamada(direccion, HH_DISPLAY_TOPIC)}) << tema;
    }
}

TEST_F(AyudaConGrabador, SalirCierraTodasLasVentanasSinFicheroNiVentana)
{
    sistema_->ComandoAyuda(kHelpQuit, 0);
    EXPECT_EQ(Llamadas(), Grabacion{kCerrarTodo});
}

TEST_F(AyudaConGrabador, ElArranqueRegistraYElCierreLibera)
{
    EXPECT_EQ(gestor_->NumeroVisores(), 2u);
    ASSERT_NE(HelpViewerInstance, nullptr);
    EXPECT_NE(WinHelpTester, nullptr);
    TerminarVexHtmlHelp();
    EXPECT_EQ(gestor_->NumeroVisores(), 1u);
    // Still the selector, but no longer asked for keywords or contexts.
    ASSERT_NE(HelpViewerInstance, nullptr);
    sistema_->AyudaContexto(3);
    sistema_->AyudaPalabraClave("Alumnos");
    EXPECT_EQ(Llamadas(), Grabacion{});
    gestor_->Descargar();
    EXPECT_EQ(HelpViewerInstance, nullptr);
    EXPECT_EQ(WinHelpTester, nullptr) << "the WinHelp viewer's shut-down clears its tester";
}

// A manager unloaded while the viewer is still registered must end: the
// viewer's ShutDown does not release itself.
TEST_F(AyudaConGrabador, DescargarSinLiberarTermina)
{
    gestor_->Descargar();
    EXPECT_EQ(Llamadas(), Grabacion{kCerrarTodo});
    EXPECT_EQ(gestor_->NumeroVisores(), 0u);
    EXPECT_EQ(HelpViewerInstance, nullptr);
}

class AyudaSinBiblioteca : public AyudaConGrabador, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override { Iniciar(GetParam()); }
};

TEST_P(AyudaSinBiblioteca, NadaSeMuestraYLasRespuestasNoCambian)
{
    EXPECT_EQ(HelpViewerInstance->UnderstandsKeyword("Alumnos"), 1);
    EXPECT_TRUE(HelpViewerInstance->UnderstandsTopic("intro"));
    EXPECT_TRUE(HelpViewerInstance->UnderstandsContext(3, "NORVICA.chm"));
    EXPECT_TRUE(HelpViewerInstance->CanShowTableOfContents());
    EXPECT_FALSE(sistema_->AyudaContexto(3));
    EXPECT_FALSE(sistema_->ComandoAyuda(kHelpContents, 0));
    sistema_->AyudaTema("intro");
    sistema_->AyudaPalabraClave("Alumnos");
    EXPECT_TRUE(sistema_->ComandoAyuda(kHelpQuit, 0));
    EXPECT_EQ(Llamadas(), Grabacion{});
}

INSTANTIATE_TEST_SUITE_P(Bibliotecas, AyudaSinBiblioteca,
                         ::testing::Values("/no/existe/libhhctrl.so", THN_SIN_ENTRADA, ""));

}  // namespace
}  // namespace thn::ayuda
