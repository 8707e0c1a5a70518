// SPDX-License-Identifier: EUPL-1.2
// Documents refused on loading, and hostile documents kept harmless.

#include "comun/comun.h"
#include "documento/centro.h"
#include "documento/errores_xml.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace thn {
namespace {

using prueba::DirectorioTemporal;
using prueba::Utf16le;

// The error of loading `contenido`, or "" when it loads.
std::string ErrorAlCargar(const std::filesystem::path& ruta, std::string_view contenido)
{
    prueba::EscribirFichero(ruta, contenido);
    try {
        DocumentoCentro::Cargar(ruta);
        return "";
    } catch (const Error& e) {
        return e.what();
    }
}

std::string NoValido(const std::filesystem::path& ruta)
{
    return "El archivo '" + ruta.string() + "' no es un documento XML válido (línea ";
}

TEST(DocumentoErrores, CadaTruncamientoSeRechaza)
{
    const std::vector<std::string> completos = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- NORVICA -->\n"
        "<!DOCTYPE centro [<!ENTITY e \"&#233;\">]>\n"
        "<centro nombre=\"IES &amp; Matem\xC3\xA1ticas &e;\"><aulas><daula idaula=\"1\"/><![CDATA[x]]>"
        "<?pi datos?></aulas></centro>",
        Utf16le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><centro a=\"\xE1\"><aulas/></centro>"),
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "truncado.xml";
    for (const std::string& completo : completos) {
        for (std::size_t n = 0; n < completo.size(); ++n) {
            const std::string error = ErrorAlCargar(ruta, completo.substr(0, n));
            EXPECT_EQ(error.rfind(NoValido(ruta), 0), 0u) << "longitud " << n << ": " << error;
        }
        EXPECT_EQ(ErrorAlCargar(ruta, completo), "");
    }
}

// libxml2's code and line of the first diagnostic on `contenido`, through
// the same collector the loaders use.
std::pair<int, std::string> CodigoYMotivo(const std::string& contenido)
{
    documento::RecogidaErroresXml recogida;
    xmlParserCtxtPtr contexto = xmlNewParserCtxt();
    recogida.Vigilar(contexto);
    xmlDocPtr doc = xmlCtxtReadMemory(contexto, contenido.data(), static_cast<int>(contenido.size()), "x.xml",
                                      nullptr, XML_PARSE_NONET);
    xmlFreeDoc(doc);
    xmlFreeParserCtxt(contexto);
    return {recogida.Codigo(), recogida.Motivo()};
}

TEST(DocumentoErrores, DocumentosMalFormadosConMotivoEnEspanol)
{
    struct Caso {
        const char* nombre;
        std::string contenido;
        int codigo;
        const char* motivo;  // expected after "(línea "
    };
    const std::vector<Caso> casos = {
        {"etiquetas cruzadas", "<centro>\n<a>\n</b></centro>", XML_ERR_TAG_NAME_MISMATCH,
         "3: la etiqueta de cierre 'b' no corresponde a la de apertura 'a')"},
        {"vacío", "", XML_ERR_DOCUMENT_EMPTY, "1: el documento está vacío)"},
        // Read from memory, libxml2 stops at the NUL; the reader feeds it all.
        {"NUL y basura tras la raíz", std::string("<centro/>\n\0basura", 17), XML_ERR_OK,
         "2: hay contenido después del elemento raíz)"},
        {"dos raíces", "<centro/>\n<centro/>", XML_ERR_DOCUMENT_END, "2: hay contenido después del elemento raíz)"},
        {"declarado UTF-8, escrito en Latin-1",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<centro n=\"Matem\xE1ticas\"/>", XML_ERR_INVALID_CHAR,
         "2: un carácter no está permitido en XML o no está en la codificación declarada del documento)"},
        {"codificación desconocida", "<?xml version=\"1.0\" encoding=\"no-existe\"?>\n<centro/>",
         XML_ERR_UNSUPPORTED_ENCODING, "1: la codificación 'no-existe' no se admite)"},
        {"atributo repetido", "<centro a='1' a='2'/>", XML_ERR_ATTRIBUTE_REDEFINED,
         "1: el atributo 'a' está repetido)"},
        {"atributo sin comillas", "<centro\na=1/>", XML_ERR_ATTRIBUTE_NOT_STARTED,
         "2: el valor de un atributo no está entre comillas)"},
        {"atributo sin valor", "<centro a/>", XML_ERR_ATTRIBUTE_WITHOUT_VALUE, "1: el atributo 'a' no tiene valor)"},
        {"entidad sin declarar", "<centro a='&nada;'/>", XML_ERR_UNDECLARED_ENTITY,
         "1: la entidad 'nada' no está declarada)"},
        {"ampersand suelto", "<centro>\nA & B</centro>", XML_ERR_NAME_REQUIRED,
         "2: falta un nombre (de elemento, de atributo o de entidad))"},
        {"entidad recursiva", "<!DOCTYPE centro [<!ENTITY a '&a;'>]>\n<centro>&a;</centro>", XML_ERR_ENTITY_LOOP,
         "1: una entidad se contiene a sí misma o crece sin medida)"},
        {"sin cerrar", "<centro>\n<aulas>", XML_ERR_TAG_NOT_FINISHED,
         "2: el documento termina sin cerrar el elemento 'aulas')"},
        {"anidamiento excesivo", std::string("<centro>") + [] {
             std::string s;
             for (int i = 0; i < 300; ++i)
                 s += "<a>";
             return s;
         }(), XML_ERR_INTERNAL_ERROR,
         "1: el documento supera un límite del lector (anidamiento, tamaño de un texto o de un nombre))"},
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "malo.xml";
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        testing::internal::CaptureStderr();
        const std::string error = ErrorAlCargar(ruta, c.contenido);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(error, NoValido(ruta) + c.motivo);
        const auto [codigo, motivo] = CodigoYMotivo(c.contenido);
        EXPECT_EQ(codigo, c.codigo) << motivo;
    }
}

TEST(DocumentoErrores, RaizYArchivo)
{
    DirectorioTemporal dir;
    const auto ruta = dir / "x.xml";
    EXPECT_EQ(ErrorAlCargar(ruta, "<?xml version=\"1.0\"?><foo><centro/></foo>"),
              "El elemento raíz de '" + ruta.string() + "' es 'foo', no 'centro'");
    EXPECT_EQ(ErrorAlCargar(ruta, "<n:centro xmlns:n='urn:x'/>"),
              "El elemento raíz de '" + ruta.string() + "' es 'n:centro', no 'centro'");

    const auto falta = dir / "falta.xml";
    EXPECT_THROW(
        try { DocumentoCentro::Cargar(falta); } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "No existe el archivo '" + falta.string() + "'");
            throw;
        },
        Error);
    // A directory opens but cannot be read on Linux; Windows refuses to open it.
#ifdef _WIN32
    const std::string no_se_pudo = "No se pudo abrir el archivo '";
#else
    const std::string no_se_pudo = "No se pudo leer el archivo '";
#endif
    EXPECT_THROW(
        try { DocumentoCentro::Cargar(dir.Ruta()); } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(no_se_pudo + dir.Ruta().string() + "': ", 0), 0u) << e.what();
            throw;
        },
        Error);
}

TEST(DocumentoErrores, EntidadesExternasNoSeLeen)
{
    DirectorioTemporal dir;
    const auto secreto = dir / "secreto.txt";
    prueba::EscribirFichero(secreto, "SECRETO-1234");
    const std::string url = "file://" + secreto.string();
    const std::vector<std::string> documentos = {
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + url + "\">]><centro><aulas><daula idaula='1'>&x;</daula></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + url + "\">]><centro><aulas><daula idaula='&x;'/></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY x SYSTEM \"" + secreto.string() + "\">]><centro><aulas><daula idaula='1'>&x;</daula></aulas></centro>",
        "<!DOCTYPE centro [<!ENTITY % x SYSTEM \"" + url + "\"> %x;]><centro><aulas><daula idaula='1'/></aulas></centro>",
        "<!DOCTYPE centro SYSTEM \"" + url + "\"><centro><aulas><daula idaula='1'/></aulas></centro>",
        "<centro xmlns:xi='http://www.w3.org/2001/XInclude'><aulas><daula idaula='1'><xi:include href='" + url
            + "' parse='text'/></daula></aulas></centro>",
    };
    const auto ruta = dir / "externo.xml";
    const auto copia = dir / "copia.xml";
    for (const std::string& xml : documentos) {
        SCOPED_TRACE(xml);
        prueba::EscribirFichero(ruta, xml);
        try {
            const auto doc = DocumentoCentro::Cargar(ruta);
            for (const Elemento& aula : doc.Seleccionar("/centro/aulas/daula"))
                EXPECT_EQ(aula.Atributo("idaula"), "1");
            doc.Guardar(copia);
            EXPECT_EQ(prueba::LeerFichero(copia).find("SECRETO"), std::string::npos);
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).find("SECRETO"), std::string::npos);
        }
    }
}

// Entities that expand to far more text than the document holds.
TEST(DocumentoErrores, ExpansionDeEntidadesAcotada)
{
    std::string risas = "<!ENTITY r0 \"ja\">";
    for (int i = 1; i <= 9; ++i) {
        risas += "<!ENTITY r" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j)
            risas += "&r" + std::to_string(i - 1) + ";";
        risas += "\">";
    }
    const std::string grande = "<!ENTITY g \"" + std::string(100000, 'x') + "\">";
    std::string cien_grandes;
    for (int j = 0; j < 200; ++j)
        cien_grandes += "&g;";

    struct Caso {
        std::string xml;
        bool en_atributo;
    };
    const std::vector<Caso> casos = {
        {"<!DOCTYPE centro [" + risas + "]><centro><aulas><daula idaula='&r9;'/></aulas></centro>", true},
        {"<!DOCTYPE centro [" + grande + "]><centro><aulas><daula idaula='" + cien_grandes + "'/></aulas></centro>", true},
        {"<!DOCTYPE centro [" + risas + "]><centro><aulas><daula idaula='1'>&r9;</daula></aulas></centro>", false},
    };
    DirectorioTemporal dir;
    const auto ruta = dir / "risas.xml";
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.xml.substr(0, 200));
        prueba::EscribirFichero(ruta, c.xml);
        // In an attribute: refused on loading or on reading, never built.
        // In element text, which is never read, it may also load unexpanded.
        try {
            const auto doc = DocumentoCentro::Cargar(ruta);
            const auto aulas = doc.Seleccionar("/centro/aulas/daula");
            ASSERT_EQ(aulas.size(), 1u);
            if (c.en_atributo)
                EXPECT_THROW(aulas[0].Atributo("idaula"), Error);
            else
                EXPECT_EQ(aulas[0].Atributo("idaula"), "1");
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind(NoValido(ruta), 0), 0u) << e.what();
        }
    }
}

}  // namespace
}  // namespace thn
