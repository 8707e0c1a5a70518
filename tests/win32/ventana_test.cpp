// SPDX-License-Identifier: EUPL-1.2
// transhoralianorvica.exe played by a person through window messages, under
// Wine: standalone (both directions, Cancel, the report, the screen) and
// embedded in the stand-in Horalia (the protocol, the outcome in Horalia.ini,
// the host going away, help and Tab, an INI that cannot be written).
//
// The programs come from the environment: THN_PROGRAMA, THN_AYUDA (the
// .chm), THN_ANFITRION (the stand-in Horalia), THN_CLI, THN_CENTRO (the
// example centre document); THN_CAPTURAS, when set, is where the pictures
// for the documentation go.

#include "comun/centro.h"
#include "comun/comun.h"
#include "win32/usuario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>
#include <fstream>

namespace thn::prueba {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const wchar_t* kClase = L"TransHoraliaNorvica";
constexpr const wchar_t* kTitulo = L"Exportar e importar datos entre Horalia y NORVICA";

fs::path Entorno(const char* nombre)
{
    const char* valor = std::getenv(nombre);
    return valor ? fs::path(valor) : fs::path();
}

std::wstring Comillas(const fs::path& p) { return L"\"" + p.wstring() + L"\""; }

// Horalia's folder with the stand-in Horalia.exe, the program and its help;
// the working directory and the centre document beside it.
struct Carpeta {
    DirectorioTemporal tmp;
    fs::path horalia = tmp / "Horalia";
    fs::path programa = horalia / "transhoralianorvica.exe";
    fs::path htemp = tmp / "HTEMP";
    fs::path centro = tmp / "centro.xml";

    Carpeta()
    {
        fs::create_directories(horalia);
        fs::create_directories(htemp);
        fs::copy_file(Entorno("THN_PROGRAMA"), programa);
        fs::copy_file(Entorno("THN_AYUDA"), horalia / "NORVICA.chm");
        fs::copy_file(Entorno("THN_ANFITRION"), horalia / "Horalia.exe");
        fs::copy_file(Entorno("THN_CENTRO"), centro);
        PonerVariable("TRANSHORALIA_HTEMP", htemp.string());
    }
    fs::path Ini() const { return horalia / "Horalia.ini"; }
    std::wstring Transformado() const
    {
        wchar_t valor[16] = L"";
        GetPrivateProfileStringW(L"Transformadores", L"Transformado", L"(nada)", valor, 16, Ini().c_str());
        return valor;
    }
    // The program standalone, and its window.
    Proceso Solo(HWND& ventana) const
    {
        Proceso p = Arrancar(Comillas(programa));
        ventana = EsperarVentana(kClase, kTitulo);
        return p;
    }
    // The stand-in Horalia starting the program with `parametros` (its child
    // area's handle added when they are only a direction).
    Proceso Anfitrion(const std::wstring& parametros) const
    {
        return Arrancar(Comillas(horalia / "Horalia.exe") + L" " + Comillas(programa) + L" " + parametros);
    }
    // The stand-in Horalia starting the program with `direccion` and the
    // handle of its child area; the host's window and ours inside it.
    Proceso Incrustada(const std::wstring& direccion, HWND& anfitrion, HWND& ventana) const
    {
        Proceso p = Anfitrion(direccion);
        anfitrion = EsperarVentana(L"AnfitrionHoralia", nullptr);
        ventana = nullptr;
        // Found once the flow has placed it and it shows.
        Esperar([&] {
            ventana = FindWindowExW(GetWindow(anfitrion, GW_CHILD), nullptr, kClase, nullptr);
            return ventana && IsWindowVisible(ventana);
        });
        return p;
    }
};

// The window's picture for the documentation, when it is asked for.
void GuardarCaptura(HWND ventana, const char* nombre)
{
    const fs::path capturas = Entorno("THN_CAPTURAS");
    if (!capturas.empty()) {
        EXPECT_TRUE(GuardarPng(Capturar(ventana), capturas / nombre)) << nombre;
    }
}

// What the window's working directory holds, table by table.
// The working directory's files, without the tool's own folder (the tables
// an export keeps).
Foto Tablas(const fs::path& htemp)
{
    Foto f = Fotografiar(htemp);
    std::erase_if(f, [](const auto& e) { return e.first.starts_with(".transhoralianorvica"); });
    return f;
}

// Standalone: both directions and Cancel, one after another in one window,
// the dialog opening on the file chosen last; the export's tables are the
// CLI's, byte for byte; closing writes no Horalia.ini.
TEST(VentanaWin32, SolaExportaImportaYCancela)
{
    Carpeta c;
    const fs::path cli_htemp = c.tmp / "HTEMP_cli";
    fs::create_directories(cli_htemp);
    {
        Proceso cli = Arrancar(Comillas(Entorno("THN_CLI")) + L" exportar " + Comillas(c.centro) + L" --htemp "
                               + Comillas(cli_htemp));
        ASSERT_EQ(cli.Esperar(60s), 0);
    }
    HWND v = nullptr;
    Proceso p = c.Solo(v);
    ASSERT_TRUE(v);
    const auto botones = BotonesVisibles(v);
    ASSERT_EQ(botones.size(), 4u);
    EXPECT_EQ(Texto(botones[0]), L"Aceptar");
    EXPECT_EQ(Texto(botones[1]), L"Aceptar");
    EXPECT_EQ(Texto(botones[2]), L"F1 Ayuda");
    EXPECT_EQ(Texto(botones[3]), L"&Salir");

    enum class Tras { NadaCambia, TablasDelCli, Resultado };
    struct Paso {
        const char* nombre;
        HWND boton;
        bool aviso_previo;       // the import first says which file to open
        fs::path ruta;           // empty: Cancel
        std::wstring inicial;    // the name the dialog opens on
        const wchar_t* caja;
        Tras tras;
    };
    const Paso pasos[] = {
        {"exportar cancelado", botones[0], false, {}, L"", L"No existe archivo", Tras::NadaCambia},
        {"exportar", botones[0], false, c.centro, L"", L"Proceso finalizado", Tras::TablasDelCli},
        {"importar cancelado", botones[1], true, {}, L"centro.xml", L"No existe archivo XML o Solución.",
         Tras::NadaCambia},
        {"importar", botones[1], true, c.centro, L"centro.xml", L"Proceso finalizado", Tras::Resultado},
    };
    for (const Paso& paso : pasos) {
        SCOPED_TRACE(paso.nombre);
        if (paso.tras == Tras::NadaCambia && paso.aviso_previo)
            NuevaSoluc(c.htemp);  // what Horalia leaves for the import
        const Foto antes = Tablas(c.htemp);
        Pulsar(paso.boton);
        if (paso.aviso_previo) {
            EXPECT_THAT(ResponderCaja(), HasSubstr(L"Deberá Abrir el fichero XML de NORVICA"));
        }
        EXPECT_EQ(ResponderDialogoArchivo(paso.ruta), paso.inicial);
        EXPECT_THAT(ResponderCaja(), HasSubstr(paso.caja));
        switch (paso.tras) {
        case Tras::NadaCambia:
            EXPECT_EQ(Diferencias(antes, Tablas(c.htemp)), "");
            break;
        case Tras::TablasDelCli:
            EXPECT_EQ(Diferencias(Tablas(cli_htemp), Tablas(c.htemp)), "");
            break;
        case Tras::Resultado:
            EXPECT_THAT(LeerFichero(c.tmp / "ResultadoHoraliacentro.xml"), HasSubstr("solucion_horario"));
            break;
        }
    }
    EXPECT_TRUE(IsWindowVisible(v));
    // Alt+S: "&Salir".
    PostMessageW(Foco(v), WM_SYSCHAR, L's', 1 << 29);
    EXPECT_EQ(p.Esperar(20s), 0);
    EXPECT_FALSE(fs::exists(c.Ini()));
}

// Standalone on the screen: the gradients and the four buttons where a user
// knows them; a completion that left something out offers its report, a
// read-only text in a window of its own.
TEST(VentanaWin32, SolaEnPantallaEInforme)
{
    Carpeta c;
    HWND v = nullptr;
    Proceso p = c.Solo(v);
    ASSERT_TRUE(v);
    Esperar([] { return false; }, 500ms);  // the first paint
    const Imagen imagen = Capturar(v);
    GuardarCaptura(v, "windows-ventana.png");
    POINT origen{0, 0};
    ClientToScreen(v, &origen);
    RECT marco, cliente;
    GetWindowRect(v, &marco);
    GetClientRect(v, &cliente);
    const int dx = origen.x - marco.left, dy = origen.y - marco.top;
    const int ancho = cliente.right, alto = cliente.bottom;
    const int inferior = alto * 168 / 266;  // where the bottom panel starts
    auto color = [&](int x, int y) { return imagen.Pixel(dx + x, dy + y); };
    auto naranja = [](COLORREF c) { return GetRValue(c) > 220 && GetBValue(c) < 170 && GetGValue(c) > 170; };
    auto blanco = [](COLORREF c) { return GetRValue(c) > 235 && GetGValue(c) > 235 && GetBValue(c) > 215; };
    auto azul = [](COLORREF c) { return GetBValue(c) > 220 && GetRValue(c) < 215; };
    auto gris = [](COLORREF c) { return std::abs(GetRValue(c) - GetBValue(c)) < 25; };
    EXPECT_TRUE(naranja(color(4, 3))) << std::hex << color(4, 3);
    EXPECT_TRUE(naranja(color(ancho - 4, 3))) << std::hex << color(ancho - 4, 3);
    EXPECT_TRUE(blanco(color(4, inferior / 2))) << std::hex << color(4, inferior / 2);
    EXPECT_TRUE(azul(color(4, inferior + 3))) << std::hex << color(4, inferior + 3);
    const auto botones = BotonesVisibles(v);
    ASSERT_EQ(botones.size(), 4u);
    for (std::size_t i = 0; i < botones.size(); ++i) {
        RECT r;
        GetWindowRect(botones[i], &r);
        MapWindowPoints(nullptr, v, reinterpret_cast<POINT*>(&r), 2);
        const bool abajo = i >= 2, derecha = i == 1;
        SCOPED_TRACE(i);
        EXPECT_EQ(r.top >= inferior, abajo);
        if (!abajo) {
            EXPECT_EQ((r.left + r.right) / 2 > ancho / 2, derecha);
        }
        EXPECT_TRUE(gris(color(r.left + 4, (r.top + r.bottom) / 2)));
    }

    // A room directly under the root is passed over, and reported.
    EscribirFichero(c.tmp / "fuera.xml",
                    LeerFichero(c.centro).replace(LeerFichero(c.centro).rfind("</centro>"), 9,
                                                  "<daula codigo=\"FUERA\" idaula=\"999\"/></centro>"));
    Pulsar(BotonesVisibles(v)[0]);
    ResponderDialogoArchivo(c.tmp / "fuera.xml");
    EXPECT_THAT(ResponderCaja(L"Detalles..."), HasSubstr(L"Proceso finalizado"));
    HWND informe = EsperarVentana(nullptr, L"TransHoraliaNorvica: informe");
    ASSERT_TRUE(informe);
    HWND texto = nullptr;
    for (HWND h : Descendientes(informe))
        if (_wcsicmp(Clase(h).c_str(), L"Edit") == 0)
            texto = h;
    ASSERT_TRUE(texto);
    EXPECT_TRUE(GetWindowLongPtrW(texto, GWL_STYLE) & ES_READONLY);
    EXPECT_THAT(Texto(texto), HasSubstr(L"1 elemento daula"));
    Esperar([] { return false; }, 300ms);
    GuardarCaptura(informe, "windows-informe.png");
    // Copied as shown; saved as UTF-8 text, by default beside the document.
    Pulsar(BotonLlamado(informe, L"&Copiar"));
    EXPECT_TRUE(Esperar([&] { return Portapapeles() == Texto(texto); }, 5s));
    Pulsar(BotonLlamado(informe, L"&Guardar..."));
    EXPECT_EQ(ResponderDialogoArchivo(c.tmp / "informe.txt", L"Guardar el informe"), L"fuera-informe.txt");
    EXPECT_TRUE(Esperar([&] { return fs::exists(c.tmp / "informe.txt"); }, 5s));
    EXPECT_THAT(LeerFichero(c.tmp / "informe.txt"), HasSubstr("1 elemento daula que la exportación pasa por alto"));
    Pulsar(BotonLlamado(informe, L"Cerrar"));
    EXPECT_TRUE(EsperarQueSeCierre(informe));
    EXPECT_THAT(ResponderCaja(), HasSubstr(L"Proceso finalizado"));
    PostMessageW(v, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.Esperar(20s), 0);
}

// The window is designed at 96 DPI and drawn at the screen's: at 144 DPI
// every size and place is half as large again.
TEST(VentanaWin32, EscalaConLosPpp)
{
    Carpeta c;
    auto medir = [&](DWORD ppp) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &ppp, sizeof ppp);
        HWND v = nullptr;
        Proceso p = c.Solo(v);
        RECT cliente{}, boton{};
        if (v) {
            GetClientRect(v, &cliente);
            GetWindowRect(BotonLlamado(v, L"&Salir"), &boton);
            MapWindowPoints(nullptr, v, reinterpret_cast<POINT*>(&boton), 2);
            PostMessageW(v, WM_CLOSE, 0, 0);
        }
        p.Esperar(20s);
        return std::pair(cliente, boton);
    };
    const auto [cliente96, boton96] = medir(96);
    const auto [cliente144, boton144] = medir(144);
    medir(96);
    for (const auto& [a, b] : {std::pair(cliente96.right, cliente144.right), std::pair(cliente96.bottom, cliente144.bottom),
                               std::pair(boton96.left, boton144.left), std::pair(boton96.top, boton144.top),
                               std::pair(boton96.right - boton96.left, boton144.right - boton144.left)}) {
        EXPECT_GT(a, 0);
        EXPECT_NEAR(b, a * 3 / 2, 1) << a;
    }
}

// Embedded: a borderless child of the host's window, inside its client
// area, with only the requested panel; how the run ends and what Horalia.ini
// says then.
TEST(VentanaWin32, IncrustadaHastaElFinal)
{
    enum class Fin { Exporta, Cancela, Escape, VentanaDestruida, SalidaDelAnfitrion, AnfitrionMatado };
    struct Caso {
        const char* nombre;
        const wchar_t* direccion;
        Fin fin;
        const wchar_t* transformado;
    };
    const Caso casos[] = {
        {"exporta", L"exportar", Fin::Exporta, L"1"},
        {"cancela", L"IMPORTAR", Fin::Cancela, L"-1"},
        {"Esc, como en un diálogo", L"Exportar", Fin::Escape, L"0"},
        {"ventana de Horalia destruida", L"exportar", Fin::VentanaDestruida, L"0"},
        {"Horalia termina", L"importar", Fin::SalidaDelAnfitrion, L"0"},
        {"Horalia muere", L"exportar", Fin::AnfitrionMatado, L"0"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        Carpeta c;
        HWND anfitrion = nullptr, v = nullptr;
        Proceso host = c.Incrustada(caso.direccion, anfitrion, v);
        ASSERT_TRUE(v);
        Proceso nuestro = ProcesoDe(v);

        HWND area = GetParent(v);
        EXPECT_EQ(GetAncestor(v, GA_ROOT), anfitrion);
        EXPECT_EQ(GetParent(area), anfitrion);
        const LONG_PTR estilo = GetWindowLongPtrW(v, GWL_STYLE);
        EXPECT_TRUE(estilo & WS_CHILD);
        EXPECT_FALSE(estilo & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME));
        const bool exporta = towlower(caso.direccion[0]) == L'e';
        std::vector<std::wstring> visibles;
        for (HWND h : Descendientes(v))
            if (IsWindowVisible(h) && !Texto(h).empty())
                visibles.push_back(Texto(h));
        EXPECT_THAT(visibles, ::testing::UnorderedElementsAre(exporta ? L"Transformar datos desde NORVICA hacia Horalia "
                                                                      : L"Transformar datos desde Horalia hacia NORVICA",
                                                              L"Aceptar"));
        RECT dentro, fuera;
        GetWindowRect(v, &dentro);
        GetClientRect(anfitrion, &fuera);
        MapWindowPoints(anfitrion, nullptr, reinterpret_cast<POINT*>(&fuera), 2);
        RECT interseccion;
        IntersectRect(&interseccion, &dentro, &fuera);
        EXPECT_TRUE(EqualRect(&interseccion, &dentro));

        switch (caso.fin) {
        case Fin::Exporta:
            Tecla(v, VK_RETURN);  // the default button
            ResponderDialogoArchivo(c.centro);
            EXPECT_THAT(ResponderCaja(), HasSubstr(L"Proceso finalizado"));
            break;
        case Fin::Cancela:
            Pulsar(BotonLlamado(v, L"Aceptar"));
            ResponderCaja();
            ResponderDialogoArchivo({});
            EXPECT_THAT(ResponderCaja(), HasSubstr(L"No existe archivo XML o Solución."));
            break;
        case Fin::Escape:
            Tecla(v, VK_ESCAPE);
            break;
        case Fin::VentanaDestruida:
            PostMessageW(anfitrion, WM_LBUTTONDOWN, 0, 0);
            break;
        case Fin::SalidaDelAnfitrion:
            PostMessageW(anfitrion, WM_APP, 3, 0);
            EXPECT_EQ(host.Esperar(10s), 3);
            break;
        case Fin::AnfitrionMatado:
            TerminateProcess(host.h, 9);
            EXPECT_EQ(host.Esperar(10s), 9);
            break;
        }
        // Once the host has gone, within a second.
        const bool se_va = caso.fin >= Fin::VentanaDestruida;
        EXPECT_EQ(nuestro.Esperar(se_va ? 1s : 20s), 0);
        EXPECT_EQ(c.Transformado(), caso.transformado);
        host.Esperar(20s);
    }
}

// A handle that is no window's, or no number at all: the error box, then
// the window on its own, standalone, which tells Horalia nothing.
TEST(VentanaWin32, IdentificadorNoValido)
{
    struct Caso {
        const wchar_t* ventana;
        const wchar_t* caja;
    };
    const Caso casos[] = {
        {L"DEAD0", L"No existe la ventana DEAD0 de Horalia."},
        {L"0x1F", L"'$0x1F' no es un valor entero válido."},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.ventana);
        Carpeta c;
        Proceso host = c.Anfitrion(std::wstring(L"exportar ") + caso.ventana);
        EXPECT_THAT(ResponderCaja(), HasSubstr(caso.caja));
        HWND v = EsperarVentana(kClase, kTitulo);
        ASSERT_TRUE(v);
        EXPECT_TRUE(GetWindowLongPtrW(v, GWL_STYLE) & WS_CAPTION);
        EXPECT_EQ(BotonesVisibles(v).size(), 4u);
        PostMessageW(v, WM_CLOSE, 0, 0);
        EXPECT_EQ(host.Esperar(20s), 0);
        EXPECT_FALSE(fs::exists(c.Ini()));
    }
}

// An INI that cannot be written: the error box, and the window stays until
// it can be.
TEST(VentanaWin32, IncrustadaSinPoderEscribirElIni)
{
    Carpeta c;
    EscribirFichero(c.Ini(), "[Transformadores]\r\nTransformado=0\r\n");
    HANDLE retenido = CreateFileW(c.Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(retenido, INVALID_HANDLE_VALUE);
    HWND anfitrion = nullptr, v = nullptr;
    Proceso host = c.Incrustada(L"exportar", anfitrion, v);
    ASSERT_TRUE(v);
    Proceso nuestro = ProcesoDe(v);
    Pulsar(BotonLlamado(v, L"Aceptar"));
    ResponderDialogoArchivo(c.centro);
    EXPECT_THAT(ResponderCaja(), HasSubstr(L"Proceso finalizado"));
    EXPECT_THAT(ResponderCaja(), HasSubstr(L"Unable to write to " + c.Ini().wstring()));
    EXPECT_EQ(nuestro.Esperar(1s), -1);
    EXPECT_TRUE(IsWindow(v));
    CloseHandle(retenido);
    PostMessageW(v, WM_CLOSE, 0, 0);
    EXPECT_EQ(nuestro.Esperar(20s), 0);
    EXPECT_EQ(c.Transformado(), L"1");
    host.Esperar(20s);
}

// F1 opens Windows' HTML Help on NORVICA.chm; once it closes, Tab moves
// between our buttons again; without the .chm, F1 and "F1 Ayuda" say so.
TEST(VentanaWin32, AyudaYTabulador)
{
    Carpeta c;
    HWND anfitrion = nullptr, v = nullptr;
    // A word that names no direction: embedded, with all four buttons.
    Proceso host = c.Incrustada(L"otra", anfitrion, v);
    ASSERT_TRUE(v);
    const auto botones = BotonesVisibles(v);
    ASSERT_EQ(botones.size(), 4u);
    auto nuestro_foco = [&] {
        HWND f = Foco(v);
        return std::find(botones.begin(), botones.end(), f) != botones.end() ? f : nullptr;
    };
    ASSERT_TRUE(Esperar([&] { return nuestro_foco() != nullptr; }, 5s));
    Tecla(v, VK_F1);
    HWND ayuda = EsperarVentana(L"HH Parent", nullptr);
    ASSERT_TRUE(ayuda);
    PostMessageW(ayuda, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EsperarQueSeCierre(ayuda));
    ASSERT_TRUE(Esperar([&] { return nuestro_foco() != nullptr; }, 5s));
    HWND antes = nuestro_foco();
    Tecla(v, VK_TAB);
    EXPECT_TRUE(Esperar([&] { return nuestro_foco() && nuestro_foco() != antes; }, 5s));
    // The help button: the contents.
    Pulsar(BotonLlamado(v, L"F1 Ayuda"));
    ayuda = EsperarVentana(L"HH Parent", nullptr);
    ASSERT_TRUE(ayuda);
    // Its contents tree holds the help's entries.
    EXPECT_TRUE(Esperar([&] {
        for (HWND h : Descendientes(ayuda))
            if (Clase(h) == L"SysTreeView32" && SendMessageW(h, TVM_GETCOUNT, 0, 0) > 0)
                return true;
        return false;
    }, 5s));
    Esperar([] { return false; }, 1s);
    GuardarCaptura(ayuda, "windows-ayuda.png");
    PostMessageW(ayuda, WM_CLOSE, 0, 0);
    EXPECT_TRUE(EsperarQueSeCierre(ayuda));
    ASSERT_TRUE(Esperar([&] { return nuestro_foco() != nullptr; }, 5s));

    fs::remove(c.horalia / "NORVICA.chm");
    Tecla(v, VK_F1);
    EXPECT_THAT(ResponderCaja(), HasSubstr(L"No se puede mostrar la ayuda"));
    Pulsar(BotonLlamado(v, L"F1 Ayuda"));
    EXPECT_THAT(ResponderCaja(), HasSubstr(L"NORVICA.chm"));
    TerminateProcess(host.h, 0);
}

}  // namespace
}  // namespace thn::prueba
