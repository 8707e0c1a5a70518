// SPDX-License-Identifier: EUPL-1.2
// Reading compiled help files without chmlib's help: the context map, the
// file's own description, contents and index lists, topic addresses, texts,
// and the commands taken apart from the entry point's arguments.

#include "help/hhctrl/contextos_chm.h"
#include "help/hhctrl/descripcion_chm.h"
#include "help/hhctrl/direccion_chm.h"
#include "help/hhctrl/mapa_sitio.h"
#include "help/hhctrl/ordenes_html_help.h"
#include "help/hhctrl/texto_chm.h"
#include "help/html_help.h"

#include <gtest/gtest.h>

namespace thn::chm {
namespace {

using namespace std::string_literals;

std::string U32(std::uint32_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

std::string U16(std::uint16_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

TEST(MapaContextos, BuscaElNombreSinFiarseDeLasLongitudes)
{
    const std::string cadenas = "\0/home/dev/help/transformar.htm\0"s + std::string(0x35 - 32, 'x') + "otra.htm\0"s;
    const std::string ivb = U32(16) + U32(3) + U32(1) + U32(7) + U32(0x35);
    struct Caso {
        const char* nombre;
        std::string ivb;
        std::string cadenas;
        std::uint32_t contexto;
        std::optional<std::string> esperado;
    };
    const Caso casos[] = {
        {"primero", ivb, cadenas, 3, "/home/dev/help/transformar.htm"},
        {"segundo", ivb, cadenas, 7, "otra.htm"},
        {"no mapeado", ivb, cadenas, 4, std::nullopt},
        {"la cuenta supera el objeto", U32(800) + U32(3) + U32(1) + U32(7), cadenas, 3,
         "/home/dev/help/transformar.htm"},
        {"par incompleto al final", U32(800) + U32(3) + U32(1) + U32(7), cadenas, 7, std::nullopt},
        {"la cuenta deja fuera el segundo par", U32(8) + U32(3) + U32(1) + U32(7) + U32(0x35), cadenas, 7,
         std::nullopt},
        {"desplazamiento fuera de las cadenas", U32(8) + U32(3) + U32(5000), cadenas, 3, std::nullopt},
        {"desplazamiento a una cadena vacía", U32(8) + U32(3) + U32(0), cadenas, 3, std::nullopt},
        {"cadena sin terminar", U32(8) + U32(3) + U32(0), "x.htm", 3, "x.htm"},
        {"mapa vacío", "", cadenas, 3, std::nullopt},
        {"mapa más corto que su cuenta", "\x10\0"s, cadenas, 3, std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(NombreDeContexto(c.ivb, c.cadenas, c.contexto), c.esperado) << c.nombre;
}

TEST(MapaContextos, CandidatosDesdeLaRutaDeCompilacion)
{
    const std::pair<const char*, std::vector<std::string>> casos[] = {
        {"/home/dev/help/x.htm", {"/home/dev/help/x.htm", "/dev/help/x.htm", "/help/x.htm", "/x.htm"}},
        {"x.htm", {"/x.htm"}},
        {"temas\\a.htm", {"/temas/a.htm", "/a.htm"}},
        {"//doble//a.htm#marca", {"/doble/a.htm", "/a.htm"}},
        {"", {}},
    };
    for (const auto& [nombre, candidatos] : casos)
        EXPECT_EQ(CandidatosRuta(nombre), candidatos) << nombre;
}

TEST(Descripcion, RegistrosDeSistemaHastaDondeLleganLosDatos)
{
    auto registro = [](std::uint16_t codigo, const std::string& datos) {
        return U16(codigo) + U16(static_cast<std::uint16_t>(datos.size())) + datos;
    };
    const std::string sistema = U32(3) + registro(0, "contenido.hhc\0"s) + registro(4, U32(0x0C0A))
                              + registro(2, "inicio.htm\0"s) + registro(3, "Ayuda de Espa\xf1" "a\0"s)
                              + registro(1, "indice.hhk\0"s);
    const SistemaChm s = LeerSistema(sistema);
    EXPECT_EQ(s.contenido, "contenido.hhc");
    EXPECT_EQ(s.tema_inicial, "inicio.htm");
    EXPECT_EQ(s.titulo, "Ayuda de España");
    EXPECT_EQ(s.indice, "indice.hhk");

    // A record longer than what is left stops the reading there.
    const SistemaChm cortado = LeerSistema(U32(3) + registro(2, "a.htm\0"s) + U16(3) + U16(200) + "Titulo");
    EXPECT_EQ(cortado.tema_inicial, "a.htm");
    EXPECT_EQ(cortado.titulo, "");
    EXPECT_EQ(LeerSistema("").tema_inicial, "");
}

TEST(Descripcion, PrimeraVentanaConSusCadenas)
{
    const std::string cadenas = "\0hhc.hhc\0idx.hhk\0por.htm\0casa.htm\0"s;
    std::string entrada(0xC4, '\0');
    entrada.replace(0x60, 16, U32(1) + U32(9) + U32(17) + U32(25));
    const VentanaChm v = LeerVentana(U32(1) + U32(0xC4) + entrada, cadenas);
    EXPECT_EQ(v.contenido, "hhc.hhc");
    EXPECT_EQ(v.indice, "idx.hhk");
    EXPECT_EQ(v.tema_inicial, "por.htm");
    EXPECT_EQ(v.tema_principal, "casa.htm");

    EXPECT_EQ(LeerVentana(U32(1) + U32(0xC4) + entrada.substr(0, 0x64), cadenas).contenido, "")
        << "an entry cut short is not read";
    EXPECT_EQ(LeerVentana(U32(0) + U32(0xC4) + entrada, cadenas).contenido, "");
}

TEST(MapaSitio, ListasAnidadasEntidadesYCodificacion)
{
    const std::string hhc = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<!-- <OBJECT type="text/sitemap"><param name="Name" value="comentado"></OBJECT> -->
<UL>
  <LI> <OBJECT type="text/sitemap">
       <param name="Name" value="Inicio"><param name="Local" value="inicio.htm"></OBJECT>
  <LI> <object TYPE='TEXT/SITEMAP'><PARAM NAME='name' VALUE='Cap&iacute;tulo &amp; m&#225;s'></object>
  <UL>
    <LI><OBJECT type="text/sitemap"><param name="Name" value="A&ntilde;o )"s
                          "\xf1"
                          R"("><param name="Local" value=temas\a.htm><param name="Local" value="otra.htm"></OBJECT>
  </UL>
  <LI><OBJECT type="text/sitemap"><param name="Local" value="sin_nombre.htm"></OBJECT>
  <LI><OBJECT type="text/sitemap"><param name="Name" value=""></OBJECT>
</UL></UL></UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="Fuera"><param name="Local" value="f.htm"></OBJECT>
</BODY></HTML>)";
    const auto raiz = LeerMapaSitio(hhc);
    ASSERT_EQ(raiz.size(), 4u);
    EXPECT_EQ(raiz[0].nombre, "Inicio");
    EXPECT_EQ(raiz[0].local, "inicio.htm");
    EXPECT_EQ(raiz[1].nombre, "Capítulo & más");
    EXPECT_EQ(raiz[1].local, "");
    ASSERT_EQ(raiz[1].hijos.size(), 1u);
    EXPECT_EQ(raiz[1].hijos[0].nombre, "Año ñ");
    EXPECT_EQ(raiz[1].hijos[0].local, "temas\\a.htm") << "the first Local counts";
    EXPECT_EQ(raiz[2].nombre, "sin_nombre.htm");
    EXPECT_EQ(raiz[3].nombre, "Fuera");
}

TEST(MapaSitio, AnidamientoExcesivoSeAplana)
{
    std::string hhc;
    for (int i = 0; i < 200; ++i)
        hhc += "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"n\"></OBJECT>";
    auto raiz = LeerMapaSitio(hhc);
    std::size_t profundidad = 0, entradas = 0;
    for (const std::vector<EntradaSitio>* nivel = &raiz; !nivel->empty(); nivel = &nivel->back().hijos) {
        ++profundidad;
        entradas += nivel->size();
    }
    EXPECT_EQ(profundidad, kProfundidadMaxima);
    EXPECT_EQ(entradas, 200u) << "no entry is lost";
    EXPECT_TRUE(LeerMapaSitio("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"x").empty());
}

TEST(Direcciones, FicheroYTemaDeUnaDireccion)
{
    struct Caso {
        const char* direccion;
        const char* fichero;
        const char* tema;
    };
    const Caso casos[] = {
        {"/opt/thn/NORVICA.chm::/inicio.htm", "/opt/thn/NORVICA.chm", "/inicio.htm"},
        {"/opt/thn/NORVICA.chm::/temas\\a.htm#b", "/opt/thn/NORVICA.chm", "/temas/a.htm"},
        {"NORVICA.chm>principal::/a.htm", "NORVICA.chm", "/a.htm"},
        {"NORVICA.chm::///a.htm", "NORVICA.chm", "/a.htm"},
        {"NORVICA.chm::", "NORVICA.chm", ""},
        {"NORVICA.chm", "NORVICA.chm", ""},
        {"::/a.htm", "", "/a.htm"},
    };
    for (const auto& c : casos) {
        const DireccionTema d = DividirDireccion(c.direccion);
        EXPECT_EQ(d.fichero, c.fichero) << c.direccion;
        EXPECT_EQ(d.tema, c.tema) << c.direccion;
    }
}

TEST(Direcciones, RutasDeObjetos)
{
    const std::pair<const char*, const char*> casos[] = {
        {"/#SYSTEM", "/#SYSTEM"},
        {"$WWKeywordLinks\\Data", "/$WWKeywordLinks/Data"},
        {"temas//a.htm", "/temas/a.htm"},
        {"/", ""},
        {"", ""},
    };
    for (const auto& [ruta, normal] : casos)
        EXPECT_EQ(NormalizarRuta(ruta), normal) << ruta;
    EXPECT_EQ(SinFragmento("/a.htm#b?c"), "/a.htm");
    EXPECT_EQ(SinFragmento("/a.htm?c#b"), "/a.htm");
}

TEST(Direcciones, EnlacesATravesDeUnFicheroDeAyuda)
{
    const std::pair<const char*, std::optional<std::string>> casos[] = {
        {"ms-its:NORVICA.chm::/importar.htm", "/importar.htm"},
        {"mk:@MSITStore:C:\\ayuda\\NORVICA.chm::/temas/a.htm#b", "/temas/a.htm#b"},
        {"NORVICA.chm::importar.htm", "/importar.htm"},
        {"importar.htm", std::nullopt},
        {"http://ejemplo.org/", std::nullopt},
    };
    for (const auto& [enlace, tema] : casos)
        EXPECT_EQ(TemaDeEnlace(enlace), tema) << enlace;
}

TEST(Textos, Windows1252YEntidades)
{
    EXPECT_EQ(DesdeWindows1252("A\xf1o \x80 \x93x\x94 \x81"), "Año € “x” \xEF\xBF\xBD");
    const std::pair<const char*, const char*> entidades[] = {
        {"&aacute;&Ntilde;&amp;&lt;&gt;&quot;", "áÑ&<>\""},
        {"&#241;&#xF1;&#XF1;", "ñññ"},
        {"&#0;&#x110000;", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"&desconocida; & &amp &#; &#x; &#12a;", "&desconocida; & &amp &#; &#x; &#12a;"},
        {"&muymuymuylarga;", "&muymuymuylarga;"},
    };
    for (const auto& [texto, esperado] : entidades)
        EXPECT_EQ(DecodificarEntidades(texto), esperado) << texto;
}

// The viewer's five commands as the entry point's arguments give them.
class VisorAnotador final : public IVisorChm {
public:
    std::vector<std::string> anotado;
    std::intptr_t MostrarTema(std::intptr_t v, const std::string& f, const std::string& t) override
    {
        return Anotar("tema " + f + " " + t, v);
    }
    std::intptr_t MostrarContenido(std::intptr_t v, const std::string& f) override { return Anotar("contenido " + f, v); }
    std::intptr_t MostrarIndice(std::intptr_t v, const std::string& f, const std::string& p) override
    {
        return Anotar("indice " + f + " [" + p + "]", v);
    }
    std::intptr_t MostrarContexto(std::intptr_t v, const std::string& f, std::uint32_t c) override
    {
        return Anotar("contexto " + f + " " + std::to_string(c), v);
    }
    std::intptr_t CerrarTodo() override { return Anotar("cerrar", 0); }

private:
    std::intptr_t Anotar(std::string s, std::intptr_t ventana)
    {
        anotado.push_back(std::move(s) + (ventana ? " @" + std::to_string(ventana) : ""));
        return 1;
    }
};

TEST(Ordenes, CadaOrdenLlegaASuOperacion)
{
    static const char kAlumnos[] = "Alumnos";
    struct Caso {
        const char* fichero;
        unsigned int orden;
        std::uintptr_t datos;
        std::optional<std::string> esperado;
    };
    const Caso casos[] = {
        {"/a/N.chm::/importar.htm", ayuda::HH_DISPLAY_TOPIC, 0, "tema /a/N.chm /importar.htm @9"},
        {"/a/N.chm", ayuda::HH_DISPLAY_TOPIC, 0, "tema /a/N.chm  @9"},
        {"/a/N.chm", ayuda::HH_DISPLAY_TOC, 0, "contenido /a/N.chm @9"},
        {"/a/N.chm>ventana", ayuda::HH_DISPLAY_TOC, 0, "contenido /a/N.chm @9"},
        {"/a/N.chm", ayuda::HH_DISPLAY_INDEX, reinterpret_cast<std::uintptr_t>(kAlumnos), "indice /a/N.chm [Alumnos] @9"},
        {"/a/N.chm", ayuda::HH_DISPLAY_INDEX, 0, "indice /a/N.chm [] @9"},
        {"/a/N.chm", ayuda::HH_HELP_CONTEXT, 3, "contexto /a/N.chm 3 @9"},
        {"/a/N.chm", ayuda::HH_HELP_CONTEXT, 0x1FFFFFFFFull, "contexto /a/N.chm 4294967295 @9"},
        {nullptr, ayuda::HH_CLOSE_ALL, 0, "cerrar"},
        {nullptr, ayuda::HH_DISPLAY_TOC, 0, std::nullopt},
        {"", ayuda::HH_HELP_CONTEXT, 3, std::nullopt},
        {"::/a.htm", ayuda::HH_DISPLAY_TOPIC, 0, std::nullopt},
        {"/a/N.chm", 0x1D, 0, std::nullopt},
    };
    for (const auto& c : casos) {
        VisorAnotador visor;
        const std::intptr_t ventana = Despachar(visor, 9, c.fichero, c.orden, c.datos);
        SCOPED_TRACE(std::to_string(c.orden) + " " + (c.fichero ? c.fichero : "(null)"));
        EXPECT_EQ(visor.anotado, c.esperado ? std::vector<std::string>{*c.esperado} : std::vector<std::string>{});
        EXPECT_EQ(ventana, c.esperado ? 1 : 0);
    }
}

}  // namespace
}  // namespace thn::chm
