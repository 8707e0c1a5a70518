// SPDX-License-Identifier: EUPL-1.2
// Reading the centre document: selections and attribute text.

#include "comun/comun.h"
#include "documento/centro.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thn {
namespace {

using prueba::DirectorioTemporal;

DocumentoCentro Cargado(const DirectorioTemporal& dir, std::string_view contenido)
{
    const auto ruta = dir / "centro.xml";
    prueba::EscribirFichero(ruta, contenido);
    return DocumentoCentro::Cargar(ruta);
}

TEST(DocumentoLectura, TextoDeAtributo)
{
    struct Caso {
        const char* marcado;
        const char* esperado;
    };
    const std::vector<Caso> casos = {
        {"  Aula 1 &#9;", "Aula 1"},           // two blanks before, blank and tab after
        {"  Aula 1 \t", "Aula 1"},             // a literal tab arrives as a blank
        {"", ""},
        {" \t ", ""},
        {"&#10;x y&#13;", "x y"},              // line ends are trimmed like blanks
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"Matem&#225;ticas &#x20AC;", "Matemáticas €"},
        {"&doble;", "é-é"},                    // entities within entities, then trimmed
        {"a&#160;", "a\u00A0"},                // above U+0020: kept
    };
    std::string xml = "<?xml version=\"1.0\"?>\n<!DOCTYPE centro [\n"
                      "<!ENTITY e \"&#233;\">\n<!ENTITY doble \"  &e;-&e; \">\n]>\n<centro><aulas>";
    for (const Caso& c : casos)
        xml += std::string("<daula nombre=\"") + c.marcado + "\"/>";
    xml += "</aulas></centro>\n";

    DirectorioTemporal dir;
    const auto doc = Cargado(dir, xml);
    const auto aulas = doc.Seleccionar("/centro/aulas/daula");
    ASSERT_EQ(aulas.size(), casos.size());
    for (std::size_t i = 0; i < casos.size(); ++i)
        EXPECT_EQ(aulas[i].Atributo("nombre"), casos[i].esperado) << casos[i].marcado;
}

TEST(DocumentoLectura, SeleccionEnOrdenDelDocumento)
{
    // Two sections, extra attributes, children, text, comments and other
    // elements in between; a daula nested deeper is not on the path.
    DirectorioTemporal dir;
    const auto doc = Cargado(dir,
        "<centro nombre='IES'>\n"
        "  <aulas><daula idaula='1' extra='x'><hijo idaula='no'/>texto</daula>\n"
        "    <!-- nota --><otra idaula='no'/>\n"
        "    <daula idaula='2'><daula idaula='anidada'/></daula></aulas>\n"
        "  <materias><dmateria idmateria='m'/></materias>\n"
        "  <aulas><daula otro='y' idaula='3'/></aulas>\n"
        "</centro>\n");

    const auto aulas = doc.Seleccionar("/centro/aulas/daula");
    ASSERT_EQ(aulas.size(), 3u);
    for (std::size_t i = 0; i < aulas.size(); ++i) {
        EXPECT_EQ(aulas[i].Posicion(), i + 1);
        EXPECT_EQ(aulas[i].Nombre(), "daula");
        EXPECT_EQ(aulas[i].Atributo("idaula"), std::to_string(i + 1));
    }
    EXPECT_TRUE(aulas[0].TieneAtributo("extra"));
    EXPECT_FALSE(aulas[2].TieneAtributo("extra"));

    const auto raiz = doc.Seleccionar("/centro");
    ASSERT_EQ(raiz.size(), 1u);
    EXPECT_EQ(raiz[0].Atributo("nombre"), "IES");
    EXPECT_EQ(doc.Raiz().Atributo("nombre"), "IES");

    for (const char* vacia : {"/centro/profesores/profesor", "/centro/aulas/daula/falta", "/otro/aulas/daula",
                              "/centro/aulas/dAula"})
        EXPECT_TRUE(doc.Seleccionar(vacia).empty()) << vacia;
    for (const char* mala : {"", "/", "centro/aulas", "/centro//daula", "/centro/aulas/"})
        EXPECT_THROW(doc.Seleccionar(mala), Error) << mala;
}

TEST(DocumentoLectura, AtributoAusente)
{
    DirectorioTemporal dir;
    const auto doc = Cargado(dir, "<centro><aulas><daula idaula='1'/><daula idaula='2'/>"
                                  "<daula IDAULA='3' idaula_x='3'/></aulas></centro>");
    const auto aulas = doc.Seleccionar("/centro/aulas/daula");
    ASSERT_EQ(aulas.size(), 3u);
    try {
        aulas[2].Atributo("idaula");
        FAIL() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Falta el atributo 'idaula' en el elemento daula número 3");
    }
    EXPECT_FALSE(aulas[2].TieneAtributo("idaula"));
}

// Bytes of a UTF-16 text with its byte order mark.
std::string Utf16(std::u16string_view texto, bool big_endian)
{
    std::string bytes;
    for (char16_t c : std::u16string(u"\uFEFF") + std::u16string(texto)) {
        const char alto = static_cast<char>(c >> 8), bajo = static_cast<char>(c & 0xFF);
        bytes += big_endian ? alto : bajo;
        bytes += big_endian ? bajo : alto;
    }
    return bytes;
}

TEST(DocumentoLectura, Codificaciones)
{
    struct Caso {
        const char* nombre;
        std::string bytes;
        const char* esperado;
    };
    const std::u16string utf16 = u"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
                                 u"<centro><materias><dmateria nombre=\"Matemáticas €\"/></materias></centro>\n";
    const std::vector<Caso> casos = {
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<centro><materias>"
                  "<dmateria nombre=\"Matem\xC3\xA1ticas \xE2\x82\xAC\"/></materias></centro>\n",
         "Matemáticas €"},
        {"UTF-8 con BOM", "\xEF\xBB\xBF<centro><materias><dmateria nombre=\"Matem\xC3\xA1ticas\"/></materias></centro>",
         "Matemáticas"},
        {"UTF-16LE", Utf16(utf16, false), "Matemáticas €"},
        {"UTF-16BE", Utf16(utf16, true), "Matemáticas €"},
        {"ISO-8859-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<centro><materias>"
                       "<dmateria nombre=\"Matem\xE1ticas\"/></materias></centro>\n",
         "Matemáticas"},
        {"Windows-1252", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<centro><materias>"
                         "<dmateria nombre=\"Matem\xE1ticas \x80\"/></materias></centro>\n",
         "Matemáticas €"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        DirectorioTemporal dir;
        const auto doc = Cargado(dir, c.bytes);
        const auto materias = doc.Seleccionar("/centro/materias/dmateria");
        ASSERT_EQ(materias.size(), 1u);
        EXPECT_EQ(materias[0].Atributo("nombre"), c.esperado);
    }
}

}  // namespace
}  // namespace thn
