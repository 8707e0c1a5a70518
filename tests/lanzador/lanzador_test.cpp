// SPDX-License-Identifier: EUPL-1.2
// The Wine launcher's platform-free parts: what it makes of Horalia's
// parameters, its configuration file, paths, the command line and
// environment of the desktop program, and the status line it reads back.

#include "comun/comun.h"
#include "lanzador/nucleo/configuracion.h"
#include "lanzador/nucleo/entorno.h"
#include "lanzador/nucleo/linea_ordenes.h"
#include "lanzador/nucleo/llamada.h"
#include "lanzador/nucleo/orden.h"
#include "lanzador/nucleo/recepcion.h"
#include "lanzador/nucleo/rutas.h"
#include "lanzador/nucleo/variables.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace thn::lanzador {
namespace {

using Textos = std::vector<std::string>;

TEST(Lanzador, ParametrosDeHoraliaYLosDelPrograma)
{
    struct Caso {
        Textos parametros;
        Modo modo;
        std::uint32_t ventana;
        Textos programa;  // given X11 window 0x2A00003
    };
    const Caso casos[] = {
        {{}, Modo::Sola, 0, {}},
        {{"exportar"}, Modo::Sola, 0, {}},
        {{"exportar", "1F", "x"}, Modo::Sola, 0, {}},
        {{"exportar", "1F"}, Modo::Incrustada, 0x1F, {"exportar", "2A00003"}},
        {{"IMPORTAR", "00a0b1c2"}, Modo::Incrustada, 0xA0B1C2, {"IMPORTAR", "2A00003"}},
        {{"otra", "FFFFFFFF"}, Modo::Incrustada, 0xFFFFFFFF, {"otra", "2A00003"}},
        // Not a handle: passed on, the program reports it as it does alone.
        {{"exportar", "100000000"}, Modo::TalCual, 0, {"exportar", "100000000"}},
        {{"exportar", "0x1F"}, Modo::TalCual, 0, {"exportar", "0x1F"}},
        {{"exportar", "-1"}, Modo::TalCual, 0, {"exportar", "-1"}},
        {{"exportar", ""}, Modo::TalCual, 0, {"exportar", ""}},
    };
    for (const auto& c : casos) {
        const Llamada llamada = DecidirLlamada(c.parametros);
        SCOPED_TRACE(testing::PrintToString(c.parametros));
        EXPECT_EQ(llamada.modo, c.modo);
        EXPECT_EQ(llamada.ventana, c.ventana);
        EXPECT_EQ(ParametrosPrograma(llamada, 0x2A00003), c.programa);
    }
}

TEST(Lanzador, FicheroDeConfiguracion)
{
    const std::pair<std::string, std::string> casos[] = {
        {"", kProgramaPorOmision},
        {"[TransHoraliaNorvica]\r\nPrograma=/opt/thn/bin/transhoralianorvica\r\n", "/opt/thn/bin/transhoralianorvica"},
        {"\xEF\xBB\xBF; hecho a mano\n[transhoralianorvica]\n  programa = /home/ana/mi programa  \n",
         "/home/ana/mi programa"},
        {"[Otra]\nPrograma=/no\n[TransHoraliaNorvica]\n# comentario\nDirectorio=/no\n", kProgramaPorOmision},
        {"[TransHoraliaNorvica]\nPrograma=\n", kProgramaPorOmision},
        {"Programa=/sin/seccion\n", kProgramaPorOmision},
    };
    for (const auto& [texto, programa] : casos)
        EXPECT_EQ(LeerConfiguracion(texto).programa, programa) << texto;
    const Configuracion escrita{"/usr/local/bin/transhoralianorvica"};
    EXPECT_EQ(TextoConfiguracion(escrita), "[TransHoraliaNorvica]\r\nPrograma=/usr/local/bin/transhoralianorvica\r\n");
    EXPECT_EQ(LeerConfiguracion(TextoConfiguracion(escrita)).programa, escrita.programa);
}

TEST(Lanzador, RutasEntreUnixYWindows)
{
    EXPECT_EQ(RutaWindowsDesdeUnix("/usr/bin/transhoralianorvica"), "Z:\\usr\\bin\\transhoralianorvica");
    EXPECT_EQ(RutaWindowsDesdeUnix("/home/ñu/a b"), "Z:\\home\\ñu\\a b");
    const std::pair<std::string, std::string> casos[] = {
        {"C:\\Program Files\\Horalia", "/p/dosdevices/c:/Program Files/Horalia"},
        {"d:/Horalia/", "/p/dosdevices/d:/Horalia/"},
        {"C:\\", "/p/dosdevices/c:"},
        {"C:", "/p/dosdevices/c:"},
        {"/home/ana/.wine/drive_c/Horalia", "/home/ana/.wine/drive_c/Horalia"},
        {"Horalia", "Horalia"},
    };
    for (const auto& [windows, unix] : casos)
        EXPECT_EQ(RutaEnPrefijo("/p", windows), unix) << windows;
}

TEST(Lanzador, LineaDeOrdenesQueSeParteIgual)
{
    const std::pair<Textos, std::string> casos[] = {
        {{"/bin/sh", "-c"}, "/bin/sh -c"},
        {{"a b", ""}, "\"a b\" \"\""},
        {{"di \"hola\""}, "\"di \\\"hola\\\"\""},
        {{"C:\\a\\", "C:\\a b\\"}, "C:\\a\\ \"C:\\a b\\\\\""},
        {{"\\\\\"x"}, "\"\\\\\\\\\\\"x\""},
        {{"ñ\tá"}, "\"ñ\tá\""},
    };
    for (const auto& [argumentos, linea] : casos)
        EXPECT_EQ(LineaOrdenes(argumentos), linea);
}

TEST(Lanzador, EntornoDelPrograma)
{
    const Incrustacion incrustacion{{40, 30}, "/home/ana/.wine/drive_c/Horalia"};
    const std::string desplazamiento = std::string(kVariableDesplazamiento) + "=40,30";
    const std::string directorio = std::string(kVariableDirectorioIni) + "=/home/ana/.wine/drive_c/Horalia";
    struct Caso {
        Textos actual;
        bool incrustada;
        Textos esperado;
    };
    const Caso casos[] = {
        {{"LANG=es_ES.UTF-8", "DISPLAY=:0"}, true, {"LANG=es_ES.UTF-8", "DISPLAY=:0", desplazamiento, directorio}},
        {{"LANG=es_ES.UTF-8", desplazamiento}, false, {"LANG=es_ES.UTF-8"}},
        {{"LANG=es_ES.ISO-8859-1"}, false, {"LANG=es_ES.ISO-8859-1", "LC_CTYPE=C.UTF-8"}},
        {{"LANG=es_ES@euro", "LC_CTYPE=es_ES.utf8"}, false, {"LANG=es_ES@euro", "LC_CTYPE=es_ES.utf8"}},
        {{"LC_ALL=es_ES", "LANG=C.UTF-8"}, false, {"LANG=es_ES", "LC_CTYPE=C.UTF-8"}},
        {{"LC_ALL=C.UTF-8", "LANG=es_ES"}, false, {"LC_ALL=C.UTF-8", "LANG=es_ES"}},
        {{"=C:=C:\\"}, false, {"=C:=C:\\", "LC_CTYPE=C.UTF-8"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(EntornoHijo(c.actual, c.incrustada ? std::optional(incrustacion) : std::nullopt), c.esperado)
            << testing::PrintToString(c.actual);
}

TEST(Lanzador, DesplazamientoLeidoPorElPrograma)
{
    const std::pair<std::string, std::optional<Desplazamiento>> casos[] = {
        {"40,30", Desplazamiento{40, 30}}, {"-8,+2", Desplazamiento{-8, 2}}, {"0,0", Desplazamiento{}},
        {"", std::nullopt}, {"40", std::nullopt}, {"40,", std::nullopt}, {"4 0,3", std::nullopt},
        {"40,30,1", std::nullopt}, {"99999999999,0", std::nullopt},
    };
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(LeerDesplazamiento(texto), esperado) << texto;
}

// bash runs for real and reports to a loopback port: its last line carries
// the program's status, whatever the program writes or inherits, and
// whoever else connects to the port first.
TEST(Lanzador, EstadoDelProgramaPorLaConexionDeBash)
{
    const std::pair<Textos, std::optional<int>> casos[] = {
        {{"/bin/sh", "-c", "echo hola; exit 0"}, 0},
        {{"/bin/sh", "-c", "echo transhoralianorvica-estado 9 >&3; exit 3"}, 3},
        {{"/bin/sh", "-c", "test -z \"$TRANSHORALIA_TESTIGO\"; exit $?"}, 0},
        {{"/bin/sh", "-c", "kill -9 $$"}, 137},
        {{"/no/existe"}, std::nullopt},
        {{"/etc/passwd"}, std::nullopt},  // not executable
    };
    const std::string testigo = NuevoTestigo();
    ASSERT_EQ(testigo.size(), 32u);
    EXPECT_NE(testigo, NuevoTestigo());
    thn::prueba::PonerVariable(kVariableTestigo, testigo);
    for (const auto& [programa, estado] : casos) {
        SCOPED_TRACE(programa.back());
        const int escucha = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in direccion{};
        direccion.sin_family = AF_INET;
        direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof direccion;
        ASSERT_EQ(bind(escucha, reinterpret_cast<sockaddr*>(&direccion), largo), 0);
        ASSERT_EQ(listen(escucha, 8), 0);
        ASSERT_EQ(getsockname(escucha, reinterpret_cast<sockaddr*>(&direccion), &largo), 0);
        // Others connect first: one forges a status, one says nothing, one
        // floods; none of them decides anything.
        std::vector<int> ajenas;
        for (const std::string& dice : {std::string("transhoralianorvica-estado 0\n"), std::string(),
                                        std::string(1 << 16, 'x')}) {
            const int s = socket(AF_INET, SOCK_STREAM, 0);
            ASSERT_EQ(connect(s, reinterpret_cast<sockaddr*>(&direccion), largo), 0);
            if (!dice.empty()) {
                EXPECT_GT(send(s, dice.data(), dice.size(), MSG_DONTWAIT), 0);
            }
            ajenas.push_back(s);
        }
        std::string orden;
        for (const auto& a : OrdenConEstado(ntohs(direccion.sin_port), programa.front(), {programa.begin() + 1, programa.end()})) {
            orden += "'";
            for (const char c : a)
                orden += c == '\'' ? std::string("'\\''") : std::string(1, c);
            orden += "' ";
        }
        const std::unique_ptr<FILE, decltype(&pclose)> bash(popen((orden + ">/dev/null 2>&1").c_str(), "r"), &pclose);
        const auto salida = RecibirDeBash(escucha, testigo, 30);
        for (const int s : ajenas)
            close(s);
        close(escucha);
        ASSERT_TRUE(salida.has_value());
        EXPECT_EQ(EstadoDesdeSalida(*salida), estado) << orden << "\n" << *salida;
        EXPECT_EQ(SinArrancar(*salida), !estado.has_value()) << *salida;
    }
    thn::prueba::QuitarVariable(kVariableTestigo);
    const std::pair<std::string, Presentacion> presentaciones[] = {
        {"", Presentacion::Incompleta}, {testigo.substr(0, 5), Presentacion::Incompleta},
        {testigo + "\n", Presentacion::Nuestra}, {testigo + "\nmás", Presentacion::Nuestra},
        {testigo, Presentacion::Incompleta}, {testigo + "x", Presentacion::Ajena}, {"x", Presentacion::Ajena},
    };
    for (const auto& [recibido, esperada] : presentaciones)
        EXPECT_EQ(Presentar(recibido, testigo), esperada) << recibido;
    for (const char* sin_estado : {"", "transhoralianorvica-estado \n", "transhoralianorvica-estado 1x", "otra 0\n"})
        EXPECT_EQ(EstadoDesdeSalida(sin_estado), std::nullopt) << sin_estado;
    EXPECT_EQ(EstadoDesdeSalida("a\ntranshoralianorvica-estado 4\r\n"), 4);
}

}  // namespace
}  // namespace thn::lanzador
