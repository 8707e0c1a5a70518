// SPDX-License-Identifier: EUPL-1.2
// Saving while making the children writes the same bytes as saving the
// whole tree.

#include "comun/comun.h"
#include "documento/centro.h"
#include "base/error.h"

#include <gtest/gtest.h>

namespace thn::prueba {
namespace {

void Hijo(Elemento contenedor, int i)
{
    Elemento e = contenedor.AnadirHijo("dsolucion");
    e.PonerAtributo("casig", "M" + std::to_string(i));
    e.PonerAtributo("cactiv", "Ñandú & <\"Ω\"> \t½");
    e.PonerAtributo("vacio", "");
}

std::string Guardado(const std::filesystem::path& origen, const std::filesystem::path& destino, int hijos,
                     bool en_flujo)
{
    auto doc = DocumentoCentro::CargarSoloRaiz(origen);
    doc.QuitarRaiz();
    Elemento centro = doc.CrearRaiz("centro");
    centro.PonerAtributo("nombre", "IES Ñandú € Ω");
    centro.PonerAtributo("version", "3");
    Elemento solucion = centro.AnadirHijo("solucion_horario");
    if (en_flujo) {
        int i = 0;
        doc.GuardarEnFlujo(destino, solucion, [&](Elemento c) {
            if (i < hijos)
                Hijo(c, i);
            return ++i < hijos;
        });
    } else {
        for (int i = 0; i < hijos; ++i)
            Hijo(solucion, i);
        doc.Guardar(destino);
    }
    return LeerFichero(destino);
}

TEST(DocumentoEnFlujo, MismosBytesQueElArbolEntero)
{
    const std::string utf16le_bom = std::string("\xff\xfe", 2);
    auto utf16 = [&](const std::string& ascii) {
        std::string r = utf16le_bom;
        for (char c : ascii) {
            r += c;
            r += '\0';
        }
        return r;
    };
    const std::string documentos[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- NORVICA --><centro nombre=\"x\"><aulas/></centro><?fin?>",
        "<centro nombre=\"x\"/>",
        "<?xml version=\"1.0\"?><centro/>",
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?><centro/><!-- fin -->",
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<!DOCTYPE centro [<!ENTITY e \"x\">]><centro/>",
        utf16("<?xml version=\"1.0\" encoding=\"UTF-16\"?><!--a--><centro/>"),
        // libxml2 writes XHTML by other rules ("<br />").
        "<!DOCTYPE centro PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\"><centro/>",
    };
    DirectorioTemporal dir;
    for (std::size_t d = 0; d < std::size(documentos); ++d) {
        EscribirFichero(dir / "origen.xml", documentos[d]);
        for (int hijos : {0, 1, 3}) {
            SCOPED_TRACE("documento " + std::to_string(d) + ", " + std::to_string(hijos) + " hijos");
            EXPECT_EQ(Guardado(dir / "origen.xml", dir / "flujo.xml", hijos, true),
                      Guardado(dir / "origen.xml", dir / "arbol.xml", hijos, false));
        }
    }
}

TEST(DocumentoEnFlujo, UnFalloDelProductorNoDejaNada)
{
    DirectorioTemporal dir;
    EscribirFichero(dir / "origen.xml", "<centro/>");
    EscribirFichero(dir / "destino.xml", "anterior");
    auto doc = DocumentoCentro::CargarSoloRaiz(dir / "origen.xml");
    EXPECT_THROW(doc.GuardarEnFlujo(dir / "destino.xml", doc.Raiz(), [](Elemento) -> bool { throw Error("roto"); }),
                 Error);
    EXPECT_EQ(LeerFichero(dir / "destino.xml"), "anterior");
    std::size_t ficheros = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Ruta()))
        ++ficheros;
    EXPECT_EQ(ficheros, 2u);
}

}  // namespace
}  // namespace thn::prueba
