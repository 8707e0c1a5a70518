// SPDX-License-Identifier: EUPL-1.2
// Saving the centre document: what is kept, the encodings, atomic replacement.

#include "comun/comun.h"
#include "documento/centro.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace thn {
namespace {

namespace fs = std::filesystem;
using prueba::DirectorioTemporal;

std::vector<std::string> Contenido(const fs::path& dir)
{
    std::vector<std::string> nombres;
    for (const auto& entrada : fs::directory_iterator(dir))
        nombres.push_back(entrada.path().filename().string());
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

TEST(DocumentoGuardado, GuardaTalCual)
{
    // Prolog, comments and processing instructions around the root, the
    // declared encoding and every byte of the content come back unchanged.
    const std::vector<std::string> documentos = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<!-- NORVICA \xC3\xA1 -->\n<?proceso a=\"1\"?>\n"
        "<!DOCTYPE centro [\n<!ENTITY e \"&#233;\">\n]>\n"
        "<centro z=\"1\" a=\"2\" m=\"&amp;&lt;&e;\">\n  <aulas>\t<daula idaula=\"1\"/>  </aulas>\n"
        "<![CDATA[<x>]]><!-- dentro --></centro>\n<!-- despu\xC3\xA9s -->\n<?fin?>\n",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!-- \xE1 -->\n<centro nombre=\"Matem\xE1ticas\"> </centro>\n",
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<centro nombre=\"\x80\xE1\"/>\n",
        "<centro><aulas/></centro>\n",
    };
    DirectorioTemporal dir;
    for (const std::string& xml : documentos) {
        prueba::EscribirFichero(dir / "origen.xml", xml);
        DocumentoCentro::Cargar(dir / "origen.xml").Guardar(dir / "copia.xml");
        EXPECT_EQ(prueba::LeerFichero(dir / "copia.xml"), xml);
    }
}

// The import's use: a new root in place of the old one.
DocumentoCentro Reconstruido(const fs::path& origen)
{
    auto doc = DocumentoCentro::Cargar(origen);
    doc.QuitarRaiz();
    EXPECT_TRUE(doc.Seleccionar("/centro").empty());
    Elemento raiz = doc.CrearRaiz("centro");
    raiz.PonerAtributo("codigo_interno", "7");
    raiz.PonerAtributo("nombre", "IES \"Sur\" & <Norte>");
    raiz.PonerAtributo("curso", "2024");
    raiz.PonerAtributo("codigo_interno", "8");  // replaced in place
    Elemento solucion = raiz.AnadirHijo("solucion_horario");
    for (const char* aula : {"€ á", "Ω\tx\x01"}) {
        Elemento s = solucion.AnadirHijo("dsolucion");
        s.PonerAtributo("casig", "1");
        s.PonerAtributo("caula", aula);
    }
    return doc;
}

TEST(DocumentoGuardado, NuevaRaizEnCadaCodificacion)
{
    struct Caso {
        const char* declaracion;
        const char* esperado;  // after the declaration
    };
    const char* resto_utf8 = "<centro codigo_interno=\"8\" nombre=\"IES &quot;Sur&quot; &amp; &lt;Norte&gt;\" "
                             "curso=\"2024\"><solucion_horario><dsolucion casig=\"1\" caula=\"\xE2\x82\xAC \xC3\xA1\"/>"
                             "<dsolucion casig=\"1\" caula=\"\xCE\xA9&#9;x?\"/></solucion_horario></centro>\n";
    const std::vector<Caso> casos = {
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", resto_utf8},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",
         "<centro codigo_interno=\"8\" nombre=\"IES &quot;Sur&quot; &amp; &lt;Norte&gt;\" curso=\"2024\">"
         "<solucion_horario><dsolucion casig=\"1\" caula=\"&#8364; \xE1\"/>"
         "<dsolucion casig=\"1\" caula=\"&#937;&#9;x?\"/></solucion_horario></centro>\n"},
        {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>",
         "<centro codigo_interno=\"8\" nombre=\"IES &quot;Sur&quot; &amp; &lt;Norte&gt;\" curso=\"2024\">"
         "<solucion_horario><dsolucion casig=\"1\" caula=\"\x80 \xE1\"/>"
         "<dsolucion casig=\"1\" caula=\"&#937;&#9;x?\"/></solucion_horario></centro>\n"},
    };
    DirectorioTemporal dir;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.declaracion);
        const std::string prologo = std::string(c.declaracion) + "\n<!-- antes -->\n";
        prueba::EscribirFichero(dir / "origen.xml",
                                prologo + "<centro nombre=\"viejo\"><aulas><daula/></aulas></centro>\n<?despues?>\n");
        Reconstruido(dir / "origen.xml").Guardar(dir / "nuevo.xml");
        EXPECT_EQ(prueba::LeerFichero(dir / "nuevo.xml"), prologo + "<?despues?>\n" + c.esperado);

        const auto leido = DocumentoCentro::Cargar(dir / "nuevo.xml");
        const auto soluciones = leido.Seleccionar("/centro/solucion_horario/dsolucion");
        ASSERT_EQ(soluciones.size(), 2u);
        EXPECT_EQ(soluciones[0].Atributo("caula"), "€ á");
        EXPECT_EQ(soluciones[1].Atributo("caula"), "Ω\tx?");
        EXPECT_EQ(leido.Raiz().Atributo("nombre"), "IES \"Sur\" & <Norte>");
    }
}

TEST(DocumentoGuardado, Utf16IdaYVuelta)
{
    std::string bytes = "\xFF\xFE";
    for (char c : std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?><centro/>")) {
        bytes += c;
        bytes += '\0';
    }
    DirectorioTemporal dir;
    prueba::EscribirFichero(dir / "origen.xml", bytes);
    Reconstruido(dir / "origen.xml").Guardar(dir / "nuevo.xml");
    const auto leido = DocumentoCentro::Cargar(dir / "nuevo.xml");
    const auto soluciones = leido.Seleccionar("/centro/solucion_horario/dsolucion");
    ASSERT_EQ(soluciones.size(), 2u);
    EXPECT_EQ(soluciones[0].Atributo("caula"), "€ á");
}

TEST(DocumentoGuardado, UsoIndebido)
{
    DirectorioTemporal dir;
    prueba::EscribirFichero(dir / "origen.xml", "<centro/>");
    auto doc = DocumentoCentro::Cargar(dir / "origen.xml");
    EXPECT_THROW(doc.CrearRaiz("centro"), Error);  // a second root
    for (const char* nombre : {"", "1a", "a b", "a<"}) {
        EXPECT_THROW(doc.Raiz().AnadirHijo(nombre), Error) << nombre;
        EXPECT_THROW(doc.Raiz().PonerAtributo(nombre, "v"), Error) << nombre;
    }
    doc.QuitarRaiz();
    EXPECT_THROW(doc.Raiz(), Error);
    EXPECT_TRUE(doc.Seleccionar("/centro").empty());
}

#ifndef _WIN32
// Makes writing past `limite` bytes fail with EFBIG, as a full disk would.
class LimiteTamano {
public:
    explicit LimiteTamano(rlim_t limite) : senal_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &previo_);
        rlimit nuevo = previo_;
        nuevo.rlim_cur = limite;
        setrlimit(RLIMIT_FSIZE, &nuevo);
    }
    ~LimiteTamano()
    {
        setrlimit(RLIMIT_FSIZE, &previo_);
        std::signal(SIGXFSZ, senal_);
    }

private:
    rlimit previo_{};
    void (*senal_)(int);
};
#endif

TEST(DocumentoGuardado, ReemplazoAtomico)
{
    DirectorioTemporal dir;
    prueba::EscribirFichero(dir / "origen.xml", "<centro a=\"" + std::string(20000, 'x') + "\"/>");
    const auto doc = DocumentoCentro::Cargar(dir / "origen.xml");
    const auto destino = dir / "destino.xml";
    const std::string anterior = "<anterior/>";
    prueba::EscribirFichero(destino, anterior);
    const std::string mensaje = "No se pudo guardar el archivo '" + destino.string() + "': ";

    // The write fails halfway: the earlier file stays, the partial one goes.
#ifndef _WIN32  // Windows has no file size limit to make a write fail
    try {
        LimiteTamano limite(4096);
        doc.Guardar(destino);
        ADD_FAILURE() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind(mensaje, 0), 0u) << e.what();
    }
    EXPECT_EQ(prueba::LeerFichero(destino), anterior);
    EXPECT_EQ(Contenido(dir.Ruta()), (std::vector<std::string>{"destino.xml", "origen.xml"}));
#endif

    // A complete save replaces it.
    doc.Guardar(destino);
    EXPECT_EQ(prueba::LeerFichero(destino), prueba::LeerFichero(dir / "origen.xml") + "\n");
    EXPECT_EQ(Contenido(dir.Ruta()), (std::vector<std::string>{"destino.xml", "origen.xml"}));

    // The rename fails: a directory with files stands in the way.
    const auto carpeta = dir / "carpeta.xml";
    fs::create_directory(carpeta);
    prueba::EscribirFichero(carpeta / "dentro", "");
    EXPECT_THROW(doc.Guardar(carpeta), Error);
    EXPECT_EQ(Contenido(dir.Ruta()), (std::vector<std::string>{"carpeta.xml", "destino.xml", "origen.xml"}));

    // No directory to write into.
    try {
        doc.Guardar(dir / "falta" / "x.xml");
        ADD_FAILURE() << "se esperaba un error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("No se pudo guardar el archivo '" + (dir / "falta" / "x.xml").string() + "': ", 0), 0u);
    }
}

}  // namespace
}  // namespace thn
